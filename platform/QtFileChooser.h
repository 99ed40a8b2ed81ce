#pragma once

#include "platform/FileChooser.h"

class QtFileChooser final : public FileChooser {
public:
    std::optional<QString> chooseExistingFile(QWidget* owner, const QString& title,
                                              const QString& filterName,
                                              const QString& startFolder) override;
    std::optional<QString> chooseFileToSave(QWidget* owner, const QString& title,
                                            const QString& filter,
                                            const QString& proposedPath) override;
};
