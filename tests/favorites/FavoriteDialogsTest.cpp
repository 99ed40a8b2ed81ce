// The real add and organize dialogs, answered as a person would.
#include "favorites/FavoriteEntriesModel.h"
#include "favorites/FavoriteFolderTree.h"
#include "favorites/QtFavoriteDialogs.h"
#include "platform/ProfileFile.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/WaitUntil.h"

#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QTreeView>

namespace {

class FavoriteDialogsTest : public ::testing::Test {
protected:
    FavoriteDialogsTest() { QDir().mkpath(root); }

    static ModalAnswers::Answer name(const QString& text) {
        return [text](QWidget* dialog) {
            static_cast<QInputDialog*>(dialog)->setTextValue(text);
            ModalAnswers::accept(dialog);
        };
    }
    static void select(QWidget* dialog, const QString& path) {
        dialog->findChild<FavoriteFolderTree*>()->selectPath(nativePath(path));
    }
    static FavoriteEntriesModel* entries(QWidget* dialog) {
        return static_cast<FavoriteEntriesModel*>(dialog->findChild<QTreeView*>()->model());
    }
    static bool exists(const QString& path) { return QFileInfo::exists(path); }

    QTemporaryDir folder;
    const QString root = folder.path() + "/Favorites";
    QtFavoriteDialogs dialogs;
};

TEST_F(FavoriteDialogsTest, AddAsksForANameMakesAFolderAndAsksBeforeReplacing) {
    ASSERT_TRUE(writeFileBytes(root + "/日报/新闻.url", "kept"));
    ModalAnswers answers({
        [](QWidget* add) {
            add->findChild<QLineEdit*>()->setText("  ");
            ModalAnswers::click(add, "确定"); // no name: asked for one
            add->findChild<QLineEdit*>()->setText("新闻");
            ModalAnswers::click(add, "新建文件夹(W)...");
            ModalAnswers::click(add, "确定");
        },
        ModalAnswers::accept, // "请输入收藏夹项目的名称。"
        name("晚报"),         // the new folder, selected
    });
    const auto added = dialogs.addFavorite(nullptr, root, "标题");
    ASSERT_TRUE(added);
    EXPECT_EQ(added->path, root + "/晚报/新闻.url");
    EXPECT_EQ(added->name, "新闻");
    EXPECT_TRUE(QFileInfo(root + "/晚报").isDir());

    ModalAnswers replace({
        [this](QWidget* add) {
            select(add, root + "/日报");
            add->findChild<QLineEdit*>()->setText("新闻");
            ModalAnswers::click(add, "确定");
            ModalAnswers::click(add, "取消");
        },
        ModalAnswers::reject, // "“新闻”已存在。要替换它吗？" No
    });
    EXPECT_FALSE(dialogs.addFavorite(nullptr, root, "标题"));
    EXPECT_EQ(replace.answered(), 2);
    EXPECT_EQ(readFileBytes(root + "/日报/新闻.url"), "kept");
}

// Links to folders are not offered; one that took a listed folder's place meanwhile (a sync)
// is refused, as is a folder named in GBK, which the shortcut's path cannot name.
TEST_F(FavoriteDialogsTest, AddRefusesAFolderThatLinksOutsideOrIsNamedInGbk) {
    QTemporaryDir outside;
    ASSERT_TRUE(QDir().mkpath(root + "/sub"));
    const std::filesystem::path gbk = nativePath(root) / "\xC8\xD5\xB1\xA8"; // 日报
    std::filesystem::create_directory(gbk);
    ModalAnswers answers({
        [&](QWidget* add) {
            QTest::keyClick(add, Qt::Key_I, Qt::AltModifier);
            EXPECT_TRUE(add->findChild<QTreeView*>()->hasFocus());
            select(add, root + "/sub");
            ASSERT_TRUE(QDir(root + "/sub").removeRecursively());
            ASSERT_TRUE(QFile::link(outside.path(), root + "/sub"));
            ModalAnswers::click(add, "确定");
            add->findChild<FavoriteFolderTree*>()->selectPath(gbk);
            ModalAnswers::click(add, "确定");
            ModalAnswers::click(add, "取消");
        },
        ModalAnswers::accept, // "不能在该文件夹中创建收藏夹项目。"
        [](QWidget* box) {
            EXPECT_TRUE(static_cast<QMessageBox*>(box)->text().contains("重命名"));
            ModalAnswers::accept(box);
        },
    });
    EXPECT_FALSE(dialogs.addFavorite(nullptr, root, "标题"));
    EXPECT_EQ(answers.answered(), 3);
    EXPECT_EQ(QDir(outside.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              QStringList());
    std::filesystem::remove(gbk);
}

TEST_F(FavoriteDialogsTest, OrganizeMakesMovesRenamesAndDeletes) {
    for (const char* name : {"a.url", "b.URL", "d.URL"})
        ASSERT_TRUE(writeFileBytes(root + "/" + name, name));
    ModalAnswers answers({
        [this](QWidget* organize) {
            ModalAnswers::click(organize, "创建文件夹(C)");
            select(organize, root + "/a.url");
            ModalAnswers::click(organize, "移至文件夹(M)...");
            // Shortcuts are listed and renamed by their names; their ending stays.
            auto* tree = organize->findChild<FavoriteFolderTree*>();
            FavoriteEntriesModel* model = entries(organize);
            const auto at = [&](const QString& name) {
                return model->indexOf(nativePath(root + "/" + name));
            };
            EXPECT_EQ(at("b.URL").data(Qt::EditRole), "b");
            select(organize, root + "/b.URL");
            EXPECT_TRUE(model->setData(at("b.URL"), "e"));
            // The renamed entry stays selected once the folder has been read again, in its new
            // place (after d).
            EXPECT_TRUE(waitUntil([&] { return !at("b.URL").isValid(); }));
            EXPECT_EQ(tree->selectedPath(), nativePath(root + "/e.URL"));
            EXPECT_FALSE(model->setData(at("e.URL"), "d")); // taken
            tree->setFocus();
            QTest::keyClick(tree, Qt::Key_Delete);
            ModalAnswers::click(organize, "关闭");
        },
        name("新文件夹"),
        [this](QWidget* chooser) {
            select(chooser, root + "/新文件夹");
            ModalAnswers::accept(chooser);
        },
        [](QWidget* box) {
            EXPECT_EQ(static_cast<QMessageBox*>(box)->text(), "无法重命名为“d”（文件已存在）。");
            ModalAnswers::accept(box);
        },
        [](QWidget* box) {
            EXPECT_EQ(static_cast<QMessageBox*>(box)->text(), "确实要删除“e”吗？");
            ModalAnswers::accept(box);
        },
    });
    dialogs.organizeFavorites(nullptr, root);
    EXPECT_EQ(answers.answered(), 5);
    EXPECT_EQ(QDir(root).entryList(QDir::AllEntries | QDir::NoDotAndDotDot),
              (QStringList{"d.URL", "新文件夹"}));
    EXPECT_EQ(readFileBytes(root + "/新文件夹/a.url"), "a.url");
}

// Links to folders are left out as the menu leaves them out (one leads outside, one back up);
// a link to nothing is listed and can be deleted.
TEST_F(FavoriteDialogsTest, OrganizeLeavesLinkedFoldersOutAndDeletesABrokenLink) {
    QTemporaryDir outside;
    ASSERT_TRUE(writeFileBytes(outside.path() + "/page.html", "x"));
    ASSERT_TRUE(QFile::link(outside.path(), root + "/外部"));
    ASSERT_TRUE(QFile::link(root, root + "/循环"));
    ASSERT_TRUE(QFile::link(root + "/gone.url", root + "/断链.url"));
    ASSERT_TRUE(writeFileBytes(root + "/kept.url", "x"));
    ModalAnswers answers({
        [this](QWidget* organize) {
            const auto listed = [&](const QString& name) {
                return entries(organize)->indexOf(nativePath(root + "/" + name)).isValid();
            };
            EXPECT_TRUE(listed("kept.url"));
            EXPECT_TRUE(listed("断链.url"));
            EXPECT_FALSE(listed("外部"));
            EXPECT_FALSE(listed("循环"));
            select(organize, root + "/断链.url");
            ModalAnswers::click(organize, "删除(D)");
            // Added from outside while the dialog is open (another window, a sync).
            ASSERT_TRUE(writeFileBytes(root + "/外来.url", "x"));
            EXPECT_TRUE(waitUntil([&] { return listed("外来.url"); }));
            ModalAnswers::click(organize, "关闭");
        },
        ModalAnswers::accept, // "确实要删除“断链”吗？"
    });
    dialogs.organizeFavorites(nullptr, root);
    EXPECT_EQ(answers.answered(), 2);
    EXPECT_FALSE(QFileInfo(root + "/断链.url").isSymLink());
    EXPECT_TRUE(QFileInfo::exists(outside.path() + "/page.html"));
}

// "No choice" in the folder chooser is the favorites folder, as it says, even once the tree has
// made its first row current (as it does when it takes the keys); the folder itself can also
// be chosen, to move an entry back out.
TEST_F(FavoriteDialogsTest, MovingWithoutChoosingAFolderMovesToTheFavoritesFolder) {
    ASSERT_TRUE(writeFileBytes(root + "/甲/x.url", "x"));
    ASSERT_TRUE(writeFileBytes(root + "/y.url", "y"));
    const auto chooseNothing = [](QWidget* chooser) {
        auto* tree = chooser->findChild<QTreeView*>();
        const QModelIndex top = tree->model()->index(0, 0); // 收藏夹, then 甲 below it
        tree->selectionModel()->setCurrentIndex(tree->model()->index(0, 0, top),
                                                QItemSelectionModel::NoUpdate);
        ModalAnswers::accept(chooser);
    };
    ModalAnswers answers({
        [this](QWidget* organize) {
            select(organize, root + "/甲/x.url");
            ModalAnswers::click(organize, "移至文件夹(M)...");
            select(organize, root + "/y.url");
            ModalAnswers::click(organize, "移至文件夹(M)...");
            select(organize, root + "/甲/y.url");
            ModalAnswers::click(organize, "移至文件夹(M)...");
            ModalAnswers::click(organize, "关闭");
        },
        chooseNothing,
        [this](QWidget* chooser) {
            select(chooser, root + "/甲");
            ModalAnswers::accept(chooser);
        },
        [this](QWidget* chooser) {
            select(chooser, root);
            ModalAnswers::accept(chooser);
        },
    });
    dialogs.organizeFavorites(nullptr, root);
    EXPECT_EQ(answers.answered(), 4);
    EXPECT_TRUE(exists(root + "/x.url"));
    EXPECT_TRUE(exists(root + "/y.url"));
    EXPECT_EQ(QDir(root + "/甲").entryList(QDir::Files), QStringList());
}

// Names copied from Windows are GBK bytes, which Qt's own file listings leave out: they are
// listed as their Chinese text, and renamed, moved into and deleted like any other.
TEST_F(FavoriteDialogsTest, OrganizeHandlesNamesInGbk) {
    const std::filesystem::path native = nativePath(root);
    const std::string news = "\xD0\xC2\xCE\xC5"; // 新闻
    const std::string old = "\xBE\xC9\xCE\xC5";  // 旧闻
    const std::string gone = "\xC9\xBE\xB3\xFD"; // 删除
    ASSERT_TRUE(
        writeFileBytes(QFile::decodeName(QByteArray::fromStdString((native / "tmp.url").native())),
                       "[InternetShortcut]\r\nURL=http://127.0.0.1/\r\n"));
    std::filesystem::rename(native / "tmp.url", native / (news + ".url"));
    std::filesystem::create_directories(native / old);
    std::filesystem::create_directories(native / gone);
    std::filesystem::copy_file(native / (news + ".url"), native / gone / (news + ".url"));
    ModalAnswers answers({
        [&](QWidget* organize) {
            auto* tree = organize->findChild<FavoriteFolderTree*>();
            FavoriteEntriesModel* model = entries(organize);
            const QModelIndex shortcut = model->indexOf(native / (news + ".url"));
            ASSERT_TRUE(shortcut.isValid());
            EXPECT_EQ(shortcut.data(Qt::EditRole), "新闻");
            EXPECT_EQ(model->indexOf(native / old).data(), "旧闻");
            EXPECT_TRUE(model->setData(shortcut, "新闻")); // as listed: left as it is
            tree->selectPath(native / (news + ".url"));
            ModalAnswers::click(organize, "移至文件夹(M)...");
            EXPECT_EQ(tree->selectedPath(), native / old / (news + ".url"));
            EXPECT_TRUE(model->setData(tree->chosen(), "要闻"));
            EXPECT_TRUE(waitUntil([&] { return tree->selectedName() == "要闻"; }));
            tree->selectPath(native / gone);
            ModalAnswers::click(organize, "删除(D)");
            ModalAnswers::click(organize, "关闭");
        },
        [&](QWidget* chooser) {
            chooser->findChild<FavoriteFolderTree*>()->selectPath(native / old);
            ModalAnswers::accept(chooser);
        },
        ModalAnswers::accept, // "确实要删除“删除”吗？"
    });
    dialogs.organizeFavorites(nullptr, root);
    EXPECT_EQ(answers.answered(), 3);
    EXPECT_TRUE(std::filesystem::is_regular_file(native / old / "要闻.url"));
    EXPECT_FALSE(std::filesystem::exists(native / (news + ".url")));
    EXPECT_FALSE(std::filesystem::exists(native / gone));
    std::filesystem::remove_all(native); // Qt cannot see GBK names to remove them
}

} // namespace
