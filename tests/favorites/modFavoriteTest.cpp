// The favorites entries built from a folder, and adding a favorite.
#include "tests/support/FakeServices.h"

#include <cstdio>
#include <filesystem>

namespace {

// "caption=url" of a folder's entries, then "[folder]" lines with their entries indented.
QStringList describe(const FavoriteFolder& folder, const QString& indent = QString()) {
    QStringList lines;
    for (const FavoriteEntry& entry : folder.entries)
        lines << indent + entry.caption + '=' + entry.url;
    for (const FavoriteFolder& child : folder.folders)
        lines << indent + '[' + child.caption + ']' << describe(child, indent + "  ");
    return lines;
}

class modFavoriteTest : public BrowserFixture {
protected:
    QStringList load() {
        favorites.LoadAllFavorite();
        return describe(favorites.favorites());
    }
    // AddFavorite as the window calls it, the dialog answering with this name.
    QString add(const QString& name, const QString& url) {
        favoriteDialogs.addAnswer =
            FavoriteDialogs::Added{favoritesPath() + "/" + name + ".url", name};
        QString title = name;
        return favorites.AddFavorite(title, url, nullptr);
    }
};

TEST_F(modFavoriteTest, EntriesNamesCaptionsAndOrder) {
    QSignalSpy rebuilt(&favorites, &modFavorite::favoritesRebuilt);
    EXPECT_TRUE(load().isEmpty());
    EXPECT_EQ(rebuilt.count(), 1);
    for (const char* name : {"b.url", "C.url", "_x.url", "Upper.URL", "a.url.b.url", "notes.txt"})
        shortcut(name, "http://x/");
    shortcut("中文名称比较长的收藏夹项目一二三四五六七八九十甲乙丙丁戊己庚.url", "http://cn/");
    shortcut(".hidden.url", "http://hidden/");
    file("no-address.url", "[InternetShortcut]\r\nIconIndex=1\r\n");
    file("garbage.url", QByteArray("\x00\xFF\x10garbage", 10));
    // No shortcut is that large: a planted (sparse) file is skipped, never read. A long
    // address is read whole: through a 2,048-byte buffer it opened another, cut address.
    file("huge.url", "[InternetShortcut]\r\nURL=http://huge/\r\n");
    ASSERT_TRUE(QFile(favoritesPath() + "/huge.url").resize(100 * 1024 * 1024));
    const QString longUrl = "http://shop/?q=" + QString(3000, 'x');
    shortcut("long.url", longUrl);
    shortcut("新闻/深层/deep.url", "http://deep/");
    QDir(favoritesPath()).mkdir("空文件夹");
    shortcut(".hidden-folder/secret.url", "http://secret/");
    std::filesystem::create_directory_symlink(
        QFile::encodeName(favoritesPath()).toStdString(),
        QFile::encodeName(favoritesPath() + "/loop").toStdString());
    // A file copied from Windows: a GBK name, GBK content.
    const QByteArray gbkName = toGbk(QStringLiteral("新浪.url"));
    ASSERT_TRUE(replaceFileAtomically(
        std::filesystem::path(QFile::encodeName(favoritesPath()).toStdString()) /
            std::string(gbkName.constData(), size_t(gbkName.size())),
        readFileBytes(TARNVALE_TEST_DATA "/favorites/windows-shortcut.url")));

    // Sorted as Windows compares names: in upper case, so "_" comes after the letters.
    EXPECT_EQ(load(),
              (QStringList{"a.b=http://x/", "b=http://x/", "C=http://x/", "long=" + longUrl,
                           "notes.txt=http://x/", "Upper.URL=http://x/", "_x=http://x/",
                           "中文名称比较长的收藏夹项目一二三四五六七八九十甲乙丙丁戊...=http://cn/",
                           "新浪=http://news.example.cn/新闻/", "[新闻]", "  [深层]",
                           "    deep=http://deep/", "[空文件夹]"}));
    EXPECT_EQ(favorites.mintFavoriteCount, 10);
    EXPECT_TRUE(errorLog().isEmpty());
    // A character outside the basic plane is never cut in half.
    EXPECT_EQ(modFavorite::GetMenuCaption(QString(27, 'a') + "\U0001F600bbbbb"),
              QString(27, 'a') + "...");

    // A rebuild replaces the entries. (Qt cannot name the GBK file: the folder goes by bytes.)
    std::filesystem::remove_all(QFile::encodeName(favoritesPath()).toStdString());
    shortcut("two.url", "http://changed/");
    EXPECT_EQ(load(), QStringList{"two=http://changed/"});
    EXPECT_EQ(favorites.favorites().entries.first().index, 1);
    // A rebuild reads and sorts again only what changed, and sees every change: the same size
    // written again, a name added, another file renamed over one, a folder added.
    shortcut("two.url", "http://Changed/");
    shortcut("three.url", "http://three/");
    EXPECT_EQ(load(), (QStringList{"three=http://three/", "two=http://Changed/"}));
    file("new.tmp", "[InternetShortcut]\r\nURL=http://renamed/\r\n");
    ASSERT_TRUE(std::rename(QFile::encodeName(favoritesPath() + "/new.tmp"),
                            QFile::encodeName(favoritesPath() + "/three.url")) == 0);
    shortcut("z/a.url", "http://a/");
    EXPECT_EQ(load(), (QStringList{"three=http://renamed/", "two=http://Changed/", "[z]",
                                   "  a=http://a/"}));
}

TEST_F(modFavoriteTest, AddingWritesWhatTheDialogConfirmedOrSaysItFailed) {
    // What a title may not bring into a name: forbidden characters, an override that would
    // show "lmth.exe" as "exe.html", and dots behind blanks of any kind that would hide the file.
    QString title = QStringLiteral(". \u00A0 .a/b:c*d?e\"f<g>h|i\\j\u202Elmth.exe\u202C\u3000.");
    EXPECT_TRUE(favorites.AddFavorite(title, "http://a/", nullptr).isEmpty()); // cancelled
    EXPECT_EQ(favoriteDialogs.asked,
              QStringList{"add:" + favoritesPath() + "|a_b_c_d_e_f_g_h_i_jlmth.exe"});
    EXPECT_TRUE(QDir(favoritesPath()).isEmpty());

    // Mended: a shortcut that could not be written used to be reported as saved.
    QDir(favoritesPath()).mkdir("blocked.url"); // a folder where the file should go
    EXPECT_TRUE(add("blocked", "http://a/").isEmpty());
    ASSERT_EQ(boxes.shown.size(), 1);
    EXPECT_EQ(boxes.shown[0].title, QStringLiteral("提示"));
    EXPECT_TRUE(boxes.shown[0].text.contains(favoritesPath() + "/blocked.url"));
    shellFolders.favorites.clear(); // no folder: nothing asked
    EXPECT_TRUE(add("t", "http://a/").isEmpty());
    EXPECT_EQ(favoriteDialogs.asked.size(), 2);
}

} // namespace
