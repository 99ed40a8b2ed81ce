#pragma once

#include "platform/FileChooser.h"

#include <QStringList>

class FakeFileChooser final : public FileChooser {
public:
    std::optional<QString> chooseExistingFile(QWidget* owner, const QString& title,
                                              const QString& filterName,
                                              const QString& startFolder) override;

    std::optional<QString> answer; // nothing: cancelled
    QStringList asked;             // "title|filter|folder"
};
