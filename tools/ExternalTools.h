#pragma once

#include <QString>

class ProcessLauncher;

// The product's home page, shown in the about box; opened with a trailing "/".
extern const QString kSoftwareHomePage;

// The about box text: the program and its version, then the home page, on two lines.
QString AboutText();

// The desktop programs the Tools menu starts in place of Notepad, Explorer and the Internet
// Options control panel. Nothing is shown when the desktop has none.
void StartNotepad(ProcessLauncher& launcher);
void StartExplorer(ProcessLauncher& launcher);
void StartInternetOptions(ProcessLauncher& launcher);
