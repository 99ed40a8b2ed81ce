#pragma once

#include <functional>

// Runs a real event loop until the condition holds or the time is up; true when it holds.
// Unlike QTest::qWaitFor it never sleeps between events, which the engine's message pump
// needs to make progress at full speed.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs = 20000);
