// The favorites folder is often shared or synced: what the add and organize dialogs do never
// reaches through a link to what lies outside it, and never replaces an existing entry.
#include "FavoriteFiles.h"
#include "IniProfileFile.h"
#include "PageProperties.h"
#include "TestFiles.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>

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

struct LinkCase {
    const char* name;
    std::function<bool(FavoriteFilesFixture&)> act;
    bool done;
    // What the favorites folder holds afterwards (links marked "->").
    QStringList favorites;
};

class LinkTest : public FavoriteFilesFixture, public ::testing::TestWithParam<LinkCase> {
protected:
    QStringList favoritesTree() const {
        QStringList entries;
        QDirIterator it(root(), QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System,
                        QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QFileInfo info(it.next());
            entries << info.filePath().mid(root().size() + 1) + (info.isSymLink() ? "->" : "");
        }
        entries.sort();
        return entries;
    }
};

TEST_P(LinkTest, NothingOutsideTheFolderChanges) {
    EXPECT_EQ(GetParam().act(*this), GetParam().done);
    EXPECT_EQ(outsideTree(), before);
    EXPECT_EQ(favoritesTree(), GetParam().favorites);
}

const QStringList kUntouched = {"DocsLink->", "FileLink.url->", "Real.url", "Sub"};
using F = FavoriteFilesFixture;

INSTANTIATE_TEST_SUITE_P(
    Links, LinkTest,
    ::testing::Values(
        LinkCase{"DeleteAFolderLink",
                 [](F& f) { return favoriteFiles::remove(f.at("DocsLink"), f.root()); },
                 true,
                 {"FileLink.url->", "Real.url", "Sub"}},
        LinkCase{"DeleteAFileLink",
                 [](F& f) { return favoriteFiles::remove(f.at("FileLink.url"), f.root()); },
                 true,
                 {"DocsLink->", "Real.url", "Sub"}},
        LinkCase{"DeleteAFolderHoldingALink",
                 [](F& f) {
                     QFile::link(f.outside("Docs"), f.at("Sub/Inner"));
                     return favoriteFiles::remove(f.at("Sub"), f.root());
                 },
                 true,
                 {"DocsLink->", "FileLink.url->", "Real.url"}},
        LinkCase{"RenameALink",
                 [](F& f) { return favoriteFiles::rename(f.at("DocsLink"), "Docs2", f.root()); },
                 true,
                 {"Docs2->", "FileLink.url->", "Real.url", "Sub"}},
        LinkCase{
            "RenameOverAnExistingName",
            [](F& f) { return favoriteFiles::rename(f.at("Real.url"), "FileLink.url", f.root()); },
            false, kUntouched},
        LinkCase{"RenameOutOfTheFolder",
                 [](F& f) { return favoriteFiles::rename(f.at("Real.url"), "../x.url", f.root()); },
                 false, kUntouched},
        LinkCase{"MoveIntoAFolderLink",
                 [](F& f) {
                     return favoriteFiles::moveInto(f.at("Real.url"), f.at("DocsLink"), f.root());
                 },
                 false, kUntouched},
        LinkCase{"MoveALinkIntoAFolder",
                 [](F& f) {
                     return favoriteFiles::moveInto(f.at("FileLink.url"), f.at("Sub"), f.root());
                 },
                 true,
                 {"DocsLink->", "Real.url", "Sub", "Sub/FileLink.url->"}},
        LinkCase{"MoveOverAnExistingName",
                 [](F& f) {
                     writeFileBytes(f.at("Sub/Real.url"), "other");
                     return favoriteFiles::moveInto(f.at("Real.url"), f.at("Sub"), f.root());
                 },
                 false,
                 {"DocsLink->", "FileLink.url->", "Real.url", "Sub", "Sub/Real.url"}},
        LinkCase{
            "NewFolderInAFolderLink",
            [](F& f) { return favoriteFiles::createFolder(f.at("DocsLink"), "New", f.root()); },
            false, kUntouched},
        LinkCase{"AddOverAFileLink",
                 [](F& f) {
                     IniProfileFile profile;
                     return profile.writeValue(
                         "InternetShortcut", "URL", "http://new/",
                         QFile::encodeName(f.at("FileLink.url")).toStdString());
                 },
                 true,
                 {"DocsLink->", "FileLink.url", "Real.url", "Sub"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(FileNameFromTitleTest, NamesThatShowUpAndFitOnDisk) {
    EXPECT_EQ(fileNameFromTitle(".bashrc", "网页"), "bashrc");
    EXPECT_EQ(fileNameFromTitle(" ..隐藏. ", "网页"), "隐藏");
    EXPECT_EQ(fileNameFromTitle("...", "网页"), "网页");
    EXPECT_EQ(fileNameFromTitle("a/b:c*?\"<>|\x01", "网页"), "a_b_c_______");
    // 100 Chinese characters are 300 bytes: cut to whole characters within the limit.
    const QString name = fileNameFromTitle(QString(100, QChar(0x4E2D)), "网页");
    EXPECT_EQ(name, QString(kMaxNameBytes / 3, QChar(0x4E2D)));
    // Never half an emoji.
    const QString emoji = fileNameFromTitle("a" + QString::fromUtf8("😀").repeated(80), "网页");
    EXPECT_LE(emoji.toUtf8().size(), kMaxNameBytes);
    EXPECT_EQ(QString::fromUtf8(emoji.toUtf8()), emoji);
    EXPECT_FALSE(emoji.back().isHighSurrogate());
}

} // namespace
