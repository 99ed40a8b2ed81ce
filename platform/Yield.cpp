#include "platform/Yield.h"

#include <QCoreApplication>

void yieldToPendingEvents() {
    QCoreApplication::processEvents(QEventLoop::AllEvents);
}
