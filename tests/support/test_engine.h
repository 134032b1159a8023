#pragma once

#include "engine/data_store.h"

#include <gtest/gtest.h>

// Tests of data classes and commands run on both engines: CTest runs each such program once as it
// is (the file) and once with --engine=server, which the test main turns into the environment
// variable LARDERON_TEST_ENGINE=server. The server is the one LARDERON_TEST_SERVER names (a libpq
// connection text; scripts/test starts a throwaway cluster and sets it).
EngineKind TestEngine();
inline bool OnServer() { return TestEngine() == EngineKind::Server; }

// Takes --engine=server (or --engine=file) out of the arguments.
void TakeTestEngineArgument(int *argc, char **argv);

// Skips a test that is about the file engine itself (its slots file, its repair, its bytes).
#define SKIP_ON_SERVER(why)                                                                                            \
    do {                                                                                                               \
        if (OnServer())                                                                                                \
            GTEST_SKIP() << "on the file only: " << why;                                                               \
    } while (false)
