// Qt's own dialogs, buttons and menus speak Chinese whatever LANG says.
#include "platform/ChineseLocale.h"

#include <QAbstractButton>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Captions with their access-key marks ("取消(&C)") taken out.
QStringList captions(const QList<QAbstractButton*>& buttons) {
    QStringList texts;
    for (const QAbstractButton* button : buttons)
        texts << button->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
    return texts;
}

bool anyEnglishWord(const QStringList& texts) {
    return !texts.filter(QRegularExpression(QStringLiteral("[A-Za-z]{2,}"))).isEmpty();
}

TEST(ChineseLocaleTest, QtsOwnButtonsAndMenusAreChinese) {
    ASSERT_TRUE(useChineseEverywhere());

    QMessageBox box(QMessageBox::Question, QStringLiteral("提示"), QStringLiteral("?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Ok | QMessageBox::Cancel);
    QStringList boxButtons = captions(box.buttons());
    boxButtons.sort();
    EXPECT_EQ(boxButtons, (QStringList{"取消", "否", "是", "确定"}));

    QPrinter printer;
    QPrintDialog print(&printer);
    const QStringList printButtons = captions(print.findChildren<QAbstractButton*>());
    EXPECT_GT(printButtons.size(), 3);
    EXPECT_FALSE(anyEnglishWord(printButtons)) << printButtons.join('|').toStdString();

    QLineEdit edit(QStringLiteral("text"));
    const std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList items;
    for (const QAction* action : menu->actions())
        items << action->text().section(QLatin1Char('\t'), 0, 0); // without "Ctrl+Z"
    EXPECT_FALSE(anyEnglishWord(items)) << items.join('|').toStdString();
}

} // namespace
