#pragma once

#include "FileChooser.h"

class QtFileChooser final : public FileChooser {
public:
    std::optional<QString> chooseExistingFile(QWidget* owner, const QString& title,
                                              const QString& filterName,
                                              const QString& startFolder) override;
};
