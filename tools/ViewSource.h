#pragma once

#include <QString>

class MessageBoxes;
class PageView;
class ProcessLauncher;
class QObject;

// Shows the page's markup in the desktop's text editor: the markup of the document's root
// element, GBK (with character references for what GBK cannot hold), followed by CR LF, in
// "KQCode.txt" of the program folder (or of the user's cache folder when the program folder cannot
// be written). Asynchronous: the file is written and the editor started when the markup arrives,
// unless context is gone by then. Without an editor a "提示" (owned by context when it is a widget)
// says what to install and where the file is.
void ShowPageSource(PageView& view, ProcessLauncher& launcher, MessageBoxes& boxes,
                    QObject* context);

// Writes the page source file; the path written, or empty when no place could be written.
QString WritePageSource(const QString& markup);

// $XDG_CACHE_HOME/tarnvale/KQCode.txt
QString fallbackPageSourcePath();
