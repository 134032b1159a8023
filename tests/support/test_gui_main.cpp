// main() of the test programs that need widgets: a QApplication on the offscreen platform, with
// the program's own font as at the program's start. --engine=server runs the data tests on the
// test server.
#include "app/program_font.h"
#include "test_engine.h"
#include "engine/driver_messages.h"

#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    TakeTestEngineArgument(&argc, argv);
    InstallDriverMessageFilter();
    QApplication app(argc, argv);
    ApplyProgramFont();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
