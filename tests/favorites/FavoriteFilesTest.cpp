// The favorites folder is often shared or synced: what the add and organize dialogs do never
// reaches through a link to what lies outside it, and never replaces an existing entry.
#include "favorites/FavoriteFiles.h"
#include "platform/IniProfileFile.h"

#include <QDirIterator>

namespace {

// Favorites/ holds a real shortcut, a real folder, a link to a folder outside and a link to a
// file outside; Outside/ holds what must never change.
class FavoriteFilesFixture {
public:
    FavoriteFilesFixture() {
        writeFileBytes(outside("Docs/inner.txt"), "inner");
        writeFileBytes(outside("keep.txt"), "keep");
        writeFileBytes(root() + "/Real.url", "[InternetShortcut]\r\nURL=http://real/\r\n");
        QDir().mkpath(root() + "/Sub");
        QFile::link(outside("Docs"), root() + "/DocsLink");
        QFile::link(outside("keep.txt"), root() + "/FileLink.url");
        before = outsideTree();
    }

    QString root() const { return dir.path() + "/Favorites"; }
    QString outside(const QString& relative) const { return dir.path() + "/Outside/" + relative; }
    QString at(const QString& relative) const { return root() + "/" + relative; }
    std::filesystem::path native(const QString& relative) const { return nativePath(at(relative)); }
    std::filesystem::path nativeRoot() const { return nativePath(root()); }

    // Every name and content below Outside/.
    QStringList outsideTree() const {
        QStringList entries;
        QDirIterator it(dir.path() + "/Outside", QDir::AllEntries | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            entries << path + "=" + QString::fromUtf8(readFileBytes(path));
        }
        entries.sort();
        return entries;
    }

    QTemporaryDir dir;
    QStringList before;
};

// Where links lead, nothing outside the folder changes, and a name is never taken over.
TEST(FavoriteFilesTest, NothingOutsideTheFolderChanges) {
    using F = FavoriteFilesFixture;
    const QStringList untouched = {"DocsLink->", "FileLink.url->", "Real.url", "Sub"};
    const struct {
        const char* name;
        std::function<bool(F&)> act;
        bool done;
        QStringList favorites; // what the favorites folder holds afterwards ("->": a link)
    } rows[] = {
        {"DeleteAFolderLink",
         [](F& f) { return favoriteFiles::remove(f.native("DocsLink"), f.nativeRoot()); },
         true,
         {"FileLink.url->", "Real.url", "Sub"}},
        {"DeleteAFolderHoldingALink",
         [](F& f) {
             QFile::link(f.outside("Docs"), f.at("Sub/Inner"));
             return favoriteFiles::remove(f.native("Sub"), f.nativeRoot());
         },
         true,
         {"DocsLink->", "FileLink.url->", "Real.url"}},
        {"RenameALink",
         [](F& f) { return favoriteFiles::rename(f.native("DocsLink"), "D2", f.nativeRoot()); },
         true,
         {"D2->", "FileLink.url->", "Real.url", "Sub"}},
        {"RenameOverAName",
         [](F& f) {
             return favoriteFiles::rename(f.native("Real.url"), "FileLink.url", f.nativeRoot());
         },
         false, untouched},
        {"RenameOutOfTheFolder",
         [](F& f) {
             return favoriteFiles::rename(f.native("Real.url"), "../x.url", f.nativeRoot());
         },
         false, untouched},
        {"MoveIntoAFolderLink",
         [](F& f) {
             return favoriteFiles::moveInto(f.native("Real.url"), f.native("DocsLink"),
                                            f.nativeRoot());
         },
         false, untouched},
        {"MoveALinkIntoAFolder",
         [](F& f) {
             return favoriteFiles::moveInto(f.native("FileLink.url"), f.native("Sub"),
                                            f.nativeRoot());
         },
         true,
         {"DocsLink->", "Real.url", "Sub", "Sub/FileLink.url->"}},
        {"MoveOverAName",
         [](F& f) {
             writeFileBytes(f.at("Sub/Real.url"), "other");
             return favoriteFiles::moveInto(f.native("Real.url"), f.native("Sub"), f.nativeRoot());
         },
         false,
         {"DocsLink->", "FileLink.url->", "Real.url", "Sub", "Sub/Real.url"}},
        {"DeleteThroughALinkAndBackUp", // the system reads "DocsLink/.." as Outside
         [](F& f) {
             writeFileBytes(f.at("keep.txt"), "inside");
             return favoriteFiles::remove(f.native("DocsLink/../keep.txt"), f.nativeRoot());
         },
         false,
         {"DocsLink->", "FileLink.url->", "Real.url", "Sub", "keep.txt"}},
        {"NewFolderThroughALinkAndBackUp",
         [](F& f) {
             return favoriteFiles::createFolder(f.native("DocsLink/.."), "New", f.nativeRoot());
         },
         false, untouched},
        {"MoveAFolderIntoItsOwnFolder",
         [](F& f) {
             QDir().mkpath(f.at("Sub/Inner"));
             return favoriteFiles::moveInto(f.native("Sub"), f.native("Sub/Inner"), f.nativeRoot());
         },
         false,
         {"DocsLink->", "FileLink.url->", "Real.url", "Sub", "Sub/Inner"}},
        {"MoveAFolderIntoOneNamedLikeIt",
         [](F& f) {
             QDir().mkpath(f.at("Sub2"));
             return favoriteFiles::moveInto(f.native("Sub"), f.native("Sub2"), f.nativeRoot());
         },
         true,
         {"DocsLink->", "FileLink.url->", "Real.url", "Sub2", "Sub2/Sub"}},
        {"NewFolderInAFolderLink",
         [](F& f) {
             return favoriteFiles::createFolder(f.native("DocsLink"), "New", f.nativeRoot());
         },
         false, untouched},
        {"AddOverAFileLink",
         [](F& f) {
             return IniProfileFile().writeValue(
                 "InternetShortcut", "URL", "http://new/",
                 QFile::encodeName(f.at("FileLink.url")).toStdString());
         },
         true,
         {"DocsLink->", "FileLink.url", "Real.url", "Sub"}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        F f;
        EXPECT_EQ(row.act(f), row.done);
        EXPECT_EQ(f.outsideTree(), f.before);
        QStringList entries;
        QDirIterator it(f.root(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            entries << info.filePath().mid(f.root().size() + 1) + (info.isSymLink() ? "->" : "");
        }
        entries.sort();
        EXPECT_EQ(entries, row.favorites);
    }
}

} // namespace
