#pragma once

#include <QString>
#include <optional>

class QWidget;

// Asks the user for one existing file, or for a file to write.
class FileChooser {
public:
    virtual ~FileChooser() = default;
    // The full path of the chosen file; nothing when cancelled.
    virtual std::optional<QString> chooseExistingFile(QWidget* owner, const QString& title,
                                                      const QString& filterName,
                                                      const QString& startFolder) = 0;
    // The full path of the file to write, the proposed one to begin with; a file that exists is
    // only chosen once the user agreed to replace it. Nothing when cancelled.
    virtual std::optional<QString> chooseFileToSave(QWidget* owner, const QString& title,
                                                    const QString& filter,
                                                    const QString& proposedPath) = 0;
};
