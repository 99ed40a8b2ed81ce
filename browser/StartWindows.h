#pragma once

#include <QString>

struct Services;

// The windows a start of the browser opens. After a run that ended with windows open (a
// crash, a kill, a power cut) it asks whether to open them again, each on its page with its
// back and forward list; then it opens the given address (empty: the start page, unless
// windows came back).
void OpenStartWindows(const Services& services, const QString& address);
