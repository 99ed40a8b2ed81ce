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

    std::optional<QString> answer; // nothing: cancelled
    QStringList asked;             // "title|filter|folder"
};
