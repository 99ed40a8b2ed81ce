// The window's skin, its grey strips no skin repaints and the layout, in pixels as designed;
// on fake services.
#include "tests/support/FakeServices.h"

#include "browser/ImageButton.h"
#include "browser/PictureBox.h"
#include "browser/TextBox.h"
#include "browser/WindowLayout.h"
#include "browser/frmMain.h"
#include "tests/support/TestFiles.h"

#include <QTest>

namespace {

// A point inside the widget away from its frame and its text.
QColor pixel(QWidget* widget) {
    return widget->grab().toImage().pixelColor(widget->width() - 5, widget->height() / 2);
}

using SkinTest = BrowserFixture;

// Strips stay grey and text boxes light whatever the skin file holds; it is read again for
// every window.
TEST_F(SkinTest, StripsStayGreyAndTextBoxesLightWhateverTheSkin) {
    const QByteArray skins[] = {
        QByteArray("\x89PNG\r\n\x1a\n\0\0{{{", 13),
        "* { background-color: #FF0000; } QWidget, PictureBox, QLineEdit,"
        " TextBox { background-color: #0000FF; background: #00FF00; } QMenuBar { color: #123456; }",
    };
    for (const QByteArray& skin : skins) {
        ASSERT_TRUE(writeFileBytes(folder.path() + "/program/skin.skn", skin));
        frmMain* window = openWindow();
        for (QWidget* strip : std::initializer_list<QWidget*>{
                 window->findChild<SolidSurface*>("formSurface"), window->picMainToolBar,
                 window->picBar1, window->picBar2})
            EXPECT_EQ(pixel(strip), QColor(0xAD, 0xAD, 0xAD)) << strip->objectName().toStdString();
        EXPECT_EQ(window->picMainWeb->backColor(), QColor(0xAD, 0xAD, 0xAD));
        for (TextBox* box : {window->txtURL, window->txtSearch})
            EXPECT_EQ(pixel(box), QColor(0xE0, 0xE0, 0xE0)) << box->objectName().toStdString();
    }
    EXPECT_TRUE(boxes.shown.isEmpty());
    EXPECT_FALSE(frmMain::openWindows().at(0)->styleSheet().contains("#123456"));
    EXPECT_TRUE(frmMain::openWindows().at(1)->styleSheet().contains("#123456"));
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
    // Narrow and minimised windows keep the last valid layout.
    WindowGeometry g = designGeometry();
    layoutWindow(g, 7000, 5000);
    layoutWindow(g, 6000, 5000);
    EXPECT_FLOAT_EQ(g.txtURL.width, 820);  // 7000 - 6180, the last valid width
    EXPECT_FLOAT_EQ(g.picBar1.width, 655); // the strips and buttons still follow
    EXPECT_FLOAT_EQ(g.imgStop.left, 215);
    const WindowGeometry before = g;
    layoutWindow(g, 0, 0); // minimised
    layoutWindow(g, 6000, 5000);
    EXPECT_EQ(std::memcmp(&g, &before, sizeof g), 0);
}

} // namespace
