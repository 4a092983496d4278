#include "platform/ProgramEnd.h"

#include <QApplication>

#include <gtest/gtest.h>

namespace {

int runTests(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

} // namespace

// Every test program runs with an offscreen QApplication, so widget tests need no display; it
// ends as the programs do, so that the sound engine's teardown cannot fail a passed run.
int main(int argc, char **argv)
{
    ly::platform::EndProgram(runTests(argc, argv));
}
