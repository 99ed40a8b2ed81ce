#pragma once

#include <functional>

// Runs before the test program's QApplication goes (engine profiles must go first).
void atTestExit(std::function<void()> cleanUp);
