#pragma once

#include <QString>
#include <QTemporaryDir>
#include <functional>

// Points HOME and the XDG folders at a fresh temporary folder for the life of the test run.
class TestEnvironment {
public:
    TestEnvironment();
    ~TestEnvironment();

    static QString root();
    // Runs the registered clean-ups (engine profiles must go before QApplication).
    void beforeExit();
    static void atExit(std::function<void()> cleanUp);

private:
    QTemporaryDir m_root;
};
