#pragma once

#include "platform/FileChooser.h"

#include <QStringList>

class FakeFileChooser final : public FileChooser {
public:
    std::optional<QString> chooseExistingFile(QWidget*, const QString& title,
                                              const QString& filterName,
                                              const QString& startFolder) override {
        asked << title + QLatin1Char('|') + filterName + QLatin1Char('|') + startFolder;
        return answer;
    }

    std::optional<QString> chooseFileToSave(QWidget*, const QString& title, const QString& filter,
                                            const QString& proposedPath) override {
        asked << QStringLiteral("save:") + title + QLatin1Char('|') + filter + QLatin1Char('|') +
                     proposedPath;
        return saveAnswer;
    }

    std::optional<QString> answer;     // nothing: cancelled
    std::optional<QString> saveAnswer; // nothing: cancelled
    QStringList asked;                 // "title|filter|folder", "save:title|filter|path"
};
