// Qt's own dialogs, buttons and menus speak Chinese whatever LANG says.
#include "platform/ChineseLocale.h"

#include <QAbstractButton>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>

namespace {

// Captions with their access-key marks ("取消(&C)") taken out.
QStringList captions(const QList<QAbstractButton*>& buttons) {
    QStringList texts;
    for (const QAbstractButton* button : buttons)
        texts << button->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)|&")));
    return texts;
}

TEST(ChineseLocaleTest, QtsOwnDialogsAreChinese) {
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
    EXPECT_TRUE(printButtons.filter(QRegularExpression(QStringLiteral("[A-Za-z]{2,}"))).isEmpty())
        << printButtons.join('|').toStdString();
}

} // namespace
