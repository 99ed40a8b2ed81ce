// The real add and organize dialogs, answered as a person would.
#include "favorites/QtFavoriteDialogs.h"
#include "tests/support/ModalAnswers.h"
#include "tests/support/WaitUntil.h"

#include <QFileSystemModel>
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
        auto* tree = dialog->findChild<QTreeView*>();
        auto* model = static_cast<QFileSystemModel*>(tree->model());
        tree->setCurrentIndex(model->index(path));
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

TEST_F(FavoriteDialogsTest, AddRefusesAFolderThatLinksOutside) {
    QTemporaryDir outside;
    ASSERT_TRUE(QFile::link(outside.path(), root + "/link"));
    ModalAnswers answers({
        [this](QWidget* add) {
            QTest::keyClick(add, Qt::Key_I, Qt::AltModifier);
            EXPECT_TRUE(add->findChild<QTreeView*>()->hasFocus());
            select(add, root + "/link");
            ModalAnswers::click(add, "确定");
            ModalAnswers::click(add, "取消");
        },
        ModalAnswers::accept, // "不能在该文件夹中创建收藏夹项目。"
    });
    EXPECT_FALSE(dialogs.addFavorite(nullptr, root, "标题"));
    EXPECT_EQ(answers.answered(), 2);
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
            auto* tree = organize->findChild<QTreeView*>();
            auto* model = static_cast<QFileSystemModel*>(tree->model());
            EXPECT_EQ(model->index(root + "/b.URL").data(Qt::EditRole), "b");
            select(organize, root + "/b.URL");
            EXPECT_TRUE(model->setData(model->index(root + "/b.URL"), "c"));
            EXPECT_FALSE(model->setData(model->index(root + "/c.URL"), "d")); // taken
            // The renamed entry stays selected once the folder's watcher has told the model.
            EXPECT_TRUE(waitUntil([&] { return !model->index(root + "/b.URL").isValid(); }));
            EXPECT_EQ(model->filePath(tree->currentIndex()), root + "/c.URL");
            ModalAnswers::click(organize, "删除(D)");
            ModalAnswers::click(organize, "关闭");
        },
        name("新文件夹"),
        [this](QWidget* chooser) {
            select(chooser, root + "/新文件夹");
            ModalAnswers::accept(chooser);
        },
        ModalAnswers::accept, // "无法重命名为“d”。"
        [](QWidget* box) {
            EXPECT_EQ(static_cast<QMessageBox*>(box)->text(), "确实要删除“c”吗？");
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
            auto* tree = organize->findChild<QTreeView*>();
            auto* model = static_cast<QFileSystemModel*>(tree->model());
            const auto listed = [&](const QString& name) {
                const QModelIndex entry = model->index(root + "/" + name);
                return entry.isValid() && !tree->isRowHidden(entry.row(), entry.parent());
            };
            EXPECT_TRUE(waitUntil([&] { return listed("kept.url") && listed("断链.url"); }));
            EXPECT_FALSE(listed("外部"));
            EXPECT_FALSE(listed("循环"));
            select(organize, root + "/断链.url");
            ModalAnswers::click(organize, "删除(D)");
            ModalAnswers::click(organize, "关闭");
        },
        ModalAnswers::accept, // "确实要删除“断链”吗？"
    });
    dialogs.organizeFavorites(nullptr, root);
    EXPECT_EQ(answers.answered(), 2);
    EXPECT_FALSE(QFileInfo(root + "/断链.url").isSymLink());
    EXPECT_TRUE(QFileInfo::exists(outside.path() + "/page.html"));
}

} // namespace
