#include "platform/Yield.h"

#include <QCoreApplication>

namespace {
int held = 0; // user-interface thread only
}

YieldsHeld::YieldsHeld() {
    ++held;
}

YieldsHeld::~YieldsHeld() {
    --held;
}

void yieldToPendingEvents() {
    if (held == 0)
        QCoreApplication::processEvents(QEventLoop::AllEvents);
}
