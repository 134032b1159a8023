#include "test_engine.h"

#include <QByteArray>

#include <cstring>

EngineKind TestEngine()
{
    return qgetenv("LARDERON_TEST_ENGINE") == "server" ? EngineKind::Server : EngineKind::File;
}

void TakeTestEngineArgument(int *argc, char **argv)
{
    int kept = 1;
    for (int i = 1; i < *argc; ++i) {
        if (std::strncmp(argv[i], "--engine=", 9) == 0)
            qputenv("LARDERON_TEST_ENGINE", argv[i] + 9);
        else
            argv[kept++] = argv[i];
    }
    *argc = kept;
    argv[kept] = nullptr;
}
