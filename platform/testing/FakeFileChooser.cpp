#include "platform/testing/FakeFileChooser.h"

std::optional<QString> FakeFileChooser::chooseExistingFile(QWidget*, const QString& title,
                                                           const QString& filterName,
                                                           const QString& startFolder) {
    asked << title + QLatin1Char('|') + filterName + QLatin1Char('|') + startFolder;
    return answer;
}
