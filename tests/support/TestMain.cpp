// Entry point of every test program: a QApplication on the offscreen platform, with the XDG
// folders and HOME pointed at a temporary folder so no test touches the user's real files.
#include "TestEnvironment.h"

#include <QApplication>
#include <gtest/gtest.h>

int main(int argc, char* argv[]) {
    TestEnvironment environment;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnvale-tests"));
    ::testing::InitGoogleTest(&argc, argv);
    const int result = RUN_ALL_TESTS();
    environment.beforeExit();
    return result;
}
