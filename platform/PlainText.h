#pragma once

#include <QMessageBox>
#include <QString>

class QLabel;

// Text that a page or another program controls (titles, addresses, script messages, realms,
// certificate texts, file names) is shown as plain text, never read as markup: markup can
// dress a page's text up as the browser's own, and an <img> in it makes Qt read a local file.
namespace plainText {

// Without the characters that reorder the text around them (embeddings, overrides, isolates
// and marks): in a title they can make "lmth.exe" read as "exe.html".
QString withoutDirectionControls(QString text);

// Long texts are cut, so that a dialog stays on the screen.
constexpr qsizetype kMaxLength = 1000;
QString cut(const QString& text);

// A label that shows its text as it is.
QLabel* label(const QString& text, QWidget* parent = nullptr);

// A message box with a plain text; its buttons are the standard ones (in Chinese), and the
// answer is the button pressed. Qt::WindowModal leaves the program's other windows usable.
QMessageBox::StandardButton ask(QWidget* parent, QMessageBox::Icon icon, const QString& title,
                                const QString& text, QMessageBox::StandardButtons buttons,
                                QMessageBox::StandardButton defaultButton = QMessageBox::NoButton,
                                Qt::WindowModality modality = Qt::ApplicationModal,
                                const QString& checkBox = QString(), bool* checked = nullptr);

} // namespace plainText
