#pragma once

#include <QList>
#include <QString>
#include <QStringList>
#include <filesystem>

// The largest file that is read for a value: no shortcut comes near it (addresses of thousands
// of bytes are common, tens of thousands are not), and a larger file is skipped as unreadable
// without being read, however many of them a planted folder holds.
constexpr int kMaxProfileFileSize = 64 * 1024;

// One value of an initialisation file, with the semantics of the Windows profile functions:
// section and key names match case-insensitively with blanks around them ignored, the first
// matching section and key win, values are trimmed (and lose one pair of enclosing quotes).
// Files are GBK; a file starting with a UTF-8 byte order mark is UTF-8 and stays so.
// Paths are native so that names in any encoding (GBK names copied from Windows) open.
class ProfileFile {
public:
    virtual ~ProfileFile() = default;
    // The value read through a buffer of bufferSize bytes: at most bufferSize - 1 bytes of it,
    // never ending in half a character. Empty when the file, section or key is missing.
    virtual QString readValue(const QString& section, const QString& key,
                              const std::filesystem::path& file, int bufferSize) = 0;
    // readValue for each named file of one folder (its native names), in one go: a favorites
    // rebuild reads thousands. An empty value where a file gives none.
    virtual QStringList readValues(const QString& section, const QString& key,
                                   const std::filesystem::path& folder,
                                   const QList<QByteArray>& names, int bufferSize) = 0;
    // Sets the key, changing only its line and keeping every other byte of the file; creates
    // the file and the section when missing. The file is replaced whole (temporary file and
    // rename), so a failure leaves the old file as it was. A symbolic link at that name is
    // replaced by a new file holding only the key: nothing is written through a link.
    // False when nothing was written.
    virtual bool writeValue(const QString& section, const QString& key, const QString& value,
                            const std::filesystem::path& file) = 0;

    struct Written {
        int count = 0; // files written, from the first on
        int error = 0; // errno of the file after them, which was not written; 0 when all were
    };
    // writeValue for many files in one go (an import writes thousands): each is replaced whole
    // as writeValue does, but the file system is flushed once for all of them before any name
    // is put in place, rather than once per file. Files are put in place in order; a failure
    // leaves that file and those after it untouched.
    virtual Written writeValues(const QString& section, const QString& key,
                                const QList<std::pair<std::filesystem::path, QString>>& values) = 0;
};

// What a folder holds that the favorites show, in the order the file system lists it: plain
// files (links to files too) and folders (not links to folders, which could lead back up);
// hidden names, starting with ".", are left out. error is 0, or the errno that cut it short.
// Links that lead nowhere are listed apart, for those who tidy the folder.
struct FolderListing {
    QList<QByteArray> files;
    QList<QByteArray> folders;
    QList<QByteArray> brokenLinks;
    int error = 0;
};
FolderListing listFolder(const std::filesystem::path& folder);

// A native path for a path held as text.
std::filesystem::path nativePath(const QString& path);
// A native path's bytes, and back.
QByteArray nativeBytes(const std::filesystem::path& path);
std::filesystem::path pathFromBytes(const QByteArray& path);
// The text of a native path or name: UTF-8 when it is valid UTF-8, else GBK.
QString pathText(const std::filesystem::path& path);
QString nameText(const QByteArray& name);
