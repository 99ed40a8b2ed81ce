#pragma once

#include "platform/ProcessLauncher.h"

#include <QString>

class MessageBoxes;
class QWidget;

// The product's home page, shown in the about box; opened with a trailing "/".
extern const QString kSoftwareHomePage;

// The about box text: the program and its version, then the home page, on two lines.
QString AboutText();

// The desktop programs the Tools menu starts in place of Notepad and Explorer. A desktop
// without one (a minimal system) gets a "提示" naming the Debian packages that bring one.
void StartNotepad(ProcessLauncher& launcher, MessageBoxes& boxes, QWidget* owner);
void StartExplorer(ProcessLauncher& launcher, MessageBoxes& boxes, QWidget* owner);

// What to install when the desktop has no program for the tool.
QString MissingProgramText(ProcessLauncher::StandIn tool);
