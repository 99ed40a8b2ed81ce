// Building the favorites entries from a folder, and adding a favorite.
#include "FavoritesFixture.h"

#include "GbkText.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <filesystem>

namespace {

class LoadFavoritesTest : public ::testing::Test, public FavoritesFixture {
protected:
    QStringList load() {
        favorites.LoadAllFavorite();
        return describe(favorites.favorites());
    }
};

TEST_F(LoadFavoritesTest, EmptyFolderGivesNoEntries) {
    QSignalSpy rebuilt(&favorites, &modFavorite::favoritesRebuilt);
    EXPECT_TRUE(load().isEmpty());
    EXPECT_EQ(favorites.mintFavoriteCount, 0);
    EXPECT_EQ(rebuilt.count(), 1);
}

TEST_F(LoadFavoritesTest, NamesCaptionsAndWhatCounts) {
    shortcut("News.url", "http://news/");
    shortcut("Upper.URL", "http://upper/");
    shortcut("a.url.b.url", "http://ab/");
    shortcut(QString(29, 'x') + ".url", "http://29/");
    shortcut(QString(30, 'y') + ".url", "http://30/");
    shortcut("中文名称比较长的收藏夹项目一二三四五六七八九十甲乙丙丁戊己庚.url", "http://cn/");
    shortcut("notes.txt", "http://text-file/");
    shortcut(".hidden.url", "http://hidden/");
    file("no-address.url", "[InternetShortcut]\r\nIconIndex=1\r\n");
    file("empty-address.url", "[InternetShortcut]\r\nURL=\r\n");
    file("garbage.url", QByteArray("\x00\xFF\x10garbage", 10));

    EXPECT_EQ(
        load(),
        (QStringList{"a.b=http://ab/", "News=http://news/", "notes.txt=http://text-file/",
                     "Upper.URL=http://upper/", QString(29, 'x') + "=http://29/",
                     QString(28, 'y') + "...=http://30/",
                     "中文名称比较长的收藏夹项目一二三四五六七八九十甲乙丙丁戊...=http://cn/"}));
    EXPECT_EQ(favorites.mintFavoriteCount, 7);
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST_F(LoadFavoritesTest, OrderIsCaseInsensitiveByNameWhateverTheDiskSays) {
    for (const char* name : {"b.url", "C.url", "a.url", "_x.url", "B2.url"})
        shortcut(name, "http://x/");
    QStringList captions;
    favorites.LoadAllFavorite();
    for (const FavoriteEntry& entry : favorites.favorites().entries)
        captions << entry.caption;
    EXPECT_EQ(captions, (QStringList{"a", "b", "B2", "C", "_x"}));
}

TEST_F(LoadFavoritesTest, SubFoldersFollowTheFilesOfTheirParent) {
    shortcut("z-top.url", "http://top/");
    shortcut("新闻/sina.url", "http://sina/");
    shortcut("新闻/深层/deep.url", "http://deep/");
    QDir(favoritesPath()).mkdir("空文件夹");
    QDir(favoritesPath()).mkdir(".hidden-folder");
    shortcut(".hidden-folder/secret.url", "http://secret/");

    EXPECT_EQ(load(), (QStringList{"z-top=http://top/", "[新闻]", "  sina=http://sina/", "  [深层]",
                                   "    deep=http://deep/", "[空文件夹]"}));
    EXPECT_EQ(favorites.mintFavoriteCount, 3);
}

TEST_F(LoadFavoritesTest, AFolderCopiedFromWindowsWithGbkNames) {
    const QByteArray gbkName = toGbk(QStringLiteral("新浪新闻.url"));
    const auto path = std::filesystem::path(QFile::encodeName(favoritesPath()).toStdString()) /
                      std::string(gbkName.constData(), size_t(gbkName.size()));
    QFile source(QStringLiteral(TARNVALE_TEST_DATA "/favorites/windows-shortcut.url"));
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    ASSERT_TRUE(replaceFileAtomically(path, source.readAll()));
    EXPECT_EQ(load(), QStringList{"新浪新闻=http://news.example.cn/新闻/"});
}

TEST_F(LoadFavoritesTest, LinkedFoldersAreNotFollowed) {
    shortcut("real/inside.url", "http://inside/");
    std::filesystem::create_directory_symlink(
        QFile::encodeName(favoritesPath()).toStdString(),
        QFile::encodeName(favoritesPath() + "/loop").toStdString());
    EXPECT_EQ(load(), (QStringList{"[real]", "  inside=http://inside/"}));
}

TEST_F(LoadFavoritesTest, UnresolvedFolderListsNothingAndIsLogged) {
    shellFolders.favorites.clear();
    EXPECT_TRUE(load().isEmpty());
    const QByteArray log = errorLog();
    EXPECT_TRUE(log.contains("   In   GetFolderPath\n\r\nL\xA3\xBA"
                             "2 - "))
        << log.toStdString();
}

TEST_F(LoadFavoritesTest, UnreadableFolderIsLoggedAndTheRestStillLoads) {
    // The "folder" is a plain file: listing it fails.
    file("../not-a-folder", "x");
    shellFolders.favorites = folder.path() + "/not-a-folder";
    EXPECT_TRUE(load().isEmpty());
    EXPECT_TRUE(errorLog().contains("   In   LoadDirSubFavorite\n\r\nL\xA3\xBA"
                                    "20 - "))
        << errorLog().toStdString();
}

TEST_F(LoadFavoritesTest, ARebuildReplacesTheEntries) {
    shortcut("one.url", "http://one/");
    load();
    QFile::remove(favoritesPath() + "/one.url");
    shortcut("two.url", "http://changed/");
    EXPECT_EQ(load(), QStringList{"two=http://changed/"});
    EXPECT_EQ(favorites.favorites().entries.first().index, 1);
}

TEST_F(LoadFavoritesTest, EntriesStopAtTheLargest16BitCount) {
    const QByteArray content = "[InternetShortcut]\r\nURL=http://x/\r\n";
    for (int i = 0; i < modFavorite::kMaxEntries + 3; ++i)
        file(QStringLiteral("f%1.url").arg(i, 5, 10, QLatin1Char('0')), content);
    favorites.LoadAllFavorite();
    EXPECT_EQ(favorites.mintFavoriteCount, modFavorite::kMaxEntries);
    EXPECT_EQ(favorites.favorites().entries.size(), modFavorite::kMaxEntries);
    EXPECT_TRUE(errorLog().isEmpty());
}

TEST(GetMenuCaption, ShortensFromThirtyCharacters) {
    EXPECT_EQ(modFavorite::GetMenuCaption(QString(29, 'a')), QString(29, 'a'));
    EXPECT_EQ(modFavorite::GetMenuCaption(QString(30, 'a')), QString(28, 'a') + "...");
    EXPECT_EQ(modFavorite::GetMenuCaption(QString()), QString());
    // A character outside the basic plane is never cut in half.
    const QString emoji = QString(27, 'a') + QStringLiteral("\U0001F600") + QString(5, 'b');
    EXPECT_EQ(modFavorite::GetMenuCaption(emoji), QString(27, 'a') + "...");
}

class AddFavoriteTest : public ::testing::Test, public FavoritesFixture {};

TEST_F(AddFavoriteTest, CancelWritesNothing) {
    QString title = QStringLiteral("标题");
    EXPECT_TRUE(favorites.AddFavorite(title, "http://a/", nullptr).isEmpty());
    EXPECT_EQ(title, QStringLiteral("标题"));
    EXPECT_TRUE(QDir(favoritesPath()).isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(AddFavoriteTest, ConfirmedWritesTheShortcutAndHandsBackTheName) {
    const QString path = favoritesPath() + "/我的名字.url";
    dialogs.addAnswer = FavoriteDialogs::Added{path, "我的名字"};
    QString title = QStringLiteral("a/b:c*d?e\"f<g>h|i\\j");
    EXPECT_EQ(favorites.AddFavorite(title, "http://例子/", nullptr), path);
    EXPECT_EQ(dialogs.asked, QStringList{"add:" + favoritesPath() + "|a_b_c_d_e_f_g_h_i_j"});
    EXPECT_EQ(title, QStringLiteral("我的名字"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), "[InternetShortcut]\r\nURL=" + toGbk("http://例子/") + "\r\n");
}

TEST_F(AddFavoriteTest, ReplacingChangesOnlyTheAddress) {
    file("old.url", "[DEFAULT]\r\nBASEURL=http://old/\r\n[InternetShortcut]\r\nURL=http://old/\r\n"
                    "IconIndex=4\r\n");
    dialogs.addAnswer = FavoriteDialogs::Added{favoritesPath() + "/old.url", "old"};
    QString title = QStringLiteral("old");
    favorites.AddFavorite(title, "http://new/", nullptr);
    QFile file(favoritesPath() + "/old.url");
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(),
              QByteArray("[DEFAULT]\r\nBASEURL=http://old/\r\n[InternetShortcut]\r\n"
                         "URL=http://new/\r\nIconIndex=4\r\n"));
}

// Mended: a shortcut that could not be written used to be reported as saved.
TEST_F(AddFavoriteTest, AFailedWriteIsToldAndReturnsNothing) {
    QDir(favoritesPath()).mkdir("blocked.url"); // a folder where the file should go
    const QString path = favoritesPath() + "/blocked.url";
    dialogs.addAnswer = FavoriteDialogs::Added{path, "blocked"};
    QString title = QStringLiteral("blocked");
    EXPECT_TRUE(favorites.AddFavorite(title, "http://a/", nullptr).isEmpty());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(boxes.shown[0].text.contains(path));
}

TEST_F(AddFavoriteTest, WithoutAFavoritesFolderNoDialogIsShown) {
    shellFolders.favorites.clear();
    QString title = QStringLiteral("t");
    EXPECT_TRUE(favorites.AddFavorite(title, "http://a/", nullptr).isEmpty());
    EXPECT_TRUE(dialogs.asked.isEmpty());
}

} // namespace
