#pragma once

#include <QString>
#include <optional>

class QWidget;

// Asks the user for one existing file.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The full path of the chosen file; nothing when cancelled.
    virtual std::optional<QString> chooseExistingFile(QWidget* owner, const QString& title,
                                                      const QString& filterName,
                                                      const QString& startFolder) = 0;
};
