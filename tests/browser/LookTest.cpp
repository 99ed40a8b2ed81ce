// The window's skin, its grey strips no skin repaints, the tool bar and the layout, in pixels
// as designed; on fake services.
#include "tests/support/FakeServices.h"

#include "browser/frmMain.h"

#include "browser/ImageButton.h"
#include "browser/PictureBox.h"
#include "browser/TextBox.h"
#include "browser/WindowLayout.h"
#include "tests/support/TestFiles.h"

#include <QBitmap>
#include <QTest>

namespace {

// A point inside the widget away from its frame and its text.
QColor pixel(QWidget* widget) {
    return widget->grab().toImage().pixelColor(widget->width() - 5, widget->height() / 2);
}

class SkinTest : public BrowserFixture {};

// Strips stay grey and text boxes light whatever the skin file holds; it is read again for
// every window.
TEST_F(SkinTest, StripsStayGreyAndTextBoxesLightWhateverTheSkin) {
    const QByteArray skins[] = {
        {}, // no skin file at all
        QByteArray("\x89PNG\r\n\x1a\n\0\0{{{", 13),
        readFileBytes(TARNVALE_SOURCE_DIR "/assets/skin.skn"),
        "* { background-color: #FF0000; } QWidget, PictureBox, QLineEdit,"
        " TextBox { background-color: #0000FF; background: #00FF00; } QMenuBar { color: #123456; }",
    };
    const QColor grey(0xAD, 0xAD, 0xAD);
    for (const QByteArray& skin : skins) {
        if (!skin.isEmpty()) {
            ASSERT_TRUE(writeFileBytes(folder.path() + "/program/skin.skn", skin));
        }
        frmMain* window = openWindow();
        for (const char* name : {"formSurface", "picMainToolBar", "picBar1", "picBar2"}) {
            auto* surface = window->findChild<SolidSurface*>(QString::fromLatin1(name));
            EXPECT_EQ(pixel(surface), grey) << name;
        }
        EXPECT_EQ(window->picMainWeb->backColor(), grey);
        for (TextBox* box : {window->txtURL, window->txtSearch})
            EXPECT_EQ(pixel(box), QColor(0xE0, 0xE0, 0xE0)) << box->objectName().toStdString();
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_FALSE(frmMain::openWindows().at(2)->styleSheet().contains("#123456"));
    EXPECT_TRUE(frmMain::openWindows().at(3)->styleSheet().contains("#123456"));
}

TEST_F(SkinTest, ToolBarPicturesTipsAndTheHandPointer) {
    frmMain* window = openWindow();
    const QList<QPair<int, QString>> tips = {{1, "向后"}, {2, "向前"},  {3, "停止"},
                                             {4, "刷新"}, {92, "搜索"}, {93, "选择搜索引擎"}};
    for (const auto& [index, tip] : tips) {
        ImageButton* image = window->imgToolBar.value(index);
        EXPECT_EQ(image->toolTip(), tip);
        EXPECT_EQ(image->cursor().hotSpot(), QPoint(12, 9));
        EXPECT_EQ(image->cursor().bitmap().size(), QSize(32, 32));
    }
    EXPECT_EQ(window->imgToolBar[1]->pixmap().deviceIndependentSize(), QSizeF(24, 24));
    EXPECT_EQ(window->imgToolBar[3]->pixmap().deviceIndependentSize(), QSizeF(16, 16));
    EXPECT_EQ(window->imgToolBar[93]->pixmap().deviceIndependentSize(), QSizeF(13, 13));
    // The search-engine button offers nothing; Tab goes search box, page, address box.
    page(window)->calls.clear();
    EXPECT_FALSE(window->imgToolBar[93]->isEnabled());
    window->imgToolBar_Click(93);
    EXPECT_TRUE(page(window)->calls.isEmpty());
    window->txtSearch->setFocus();
    QTest::keyClick(window->txtSearch, Qt::Key_Tab);
    EXPECT_TRUE(window->webMain->hasFocus());
    QTest::keyClick(window->webMain, Qt::Key_Tab);
    EXPECT_TRUE(window->txtURL->hasFocus());
}

TEST_F(SkinTest, ResizingLaysTheControlsOutAgain) {
    frmMain* window = openWindow();
    window->showNormal();
    window->resize(900, 500);
    QWidget* client = window->centralWidget();
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->width() == 900; }, 2000));
    const int height = client->height();
    EXPECT_EQ(window->picMainToolBar->geometry(), QRect(0, 0, 900, 31));
    EXPECT_EQ(window->imgToolBar[1]->geometry(), QRect(5, 3, 24, 24));
    EXPECT_EQ(window->picBar1->geometry(), QRect(58, 3, 544, 28));
    EXPECT_EQ(window->txtURL->geometry(), QRect(3, 2, 488, 22));
    EXPECT_EQ(window->imgToolBar[4]->geometry(), QRect(495, 6, 16, 16));
    EXPECT_EQ(window->picBar2->geometry(), QRect(602, 3, 298, 28));
    EXPECT_EQ(window->picMainWeb->geometry(), QRect(0, 31, 899, height - 31));
    EXPECT_EQ(window->webMain->geometry(), QRect(0, 0, 899, height - 31));
}

TEST(WindowLayoutTest, NarrowAndMinimisedWindowsKeepTheLastValidLayout) {
    WindowGeometry g = designGeometry();
    layoutWindow(g, 7000, 5000);
    EXPECT_FLOAT_EQ(g.txtURL.width, 820); // 7000 - 6180
    layoutWindow(g, 6000, 5000);
    EXPECT_FLOAT_EQ(g.txtURL.width, 820); // the last valid width
    EXPECT_FLOAT_EQ(g.picBar1.width, 655); // the strips and buttons still follow
    EXPECT_FLOAT_EQ(g.imgStop.left, 215);
    layoutWindow(g, 19200, 12000);
    const WindowGeometry before = g;
    layoutWindow(g, 0, 0); // minimised
    layoutWindow(g, 19200, 12000);
    EXPECT_EQ(std::memcmp(&g, &before, sizeof g), 0);
}

} // namespace
