// The skin applied to a window, the grey strips it never overrides, and the tool bar.
#include "BrowserTestWindow.h"

#include "ImageButton.h"
#include "PictureBox.h"
#include "ProgramFolder.h"
#include "StyleSheetSkinEngine.h"
#include "TextBox.h"
#include "WindowLayout.h"

#include <QBitmap>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

// A point inside the widget away from its frame and its text.
QColor pixel(QWidget* widget) {
    return widget->grab().toImage().pixelColor(widget->width() - 5, widget->height() / 2);
}

struct SkinCase {
    const char* name;
    QByteArray file; // empty name: no file at all
    bool present;
};

class SkinTest : public BrowserFixture, public ::testing::WithParamInterface<SkinCase> {
protected:
    SkinTest() {
        overrideProgramFolder(folder.path());
        services.skin = &skin;
    }
    ~SkinTest() override { overrideProgramFolder(QString()); }

    QTemporaryDir folder;
    StyleSheetSkinEngine skin;
};

TEST_P(SkinTest, StripsStayGreyAndTextBoxesLight) {
    if (GetParam().present) {
        QFile file(folder.path() + QStringLiteral("/skin.skn"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(GetParam().file);
    }
    frmMain* window = openWindow();
    const QColor grey(0xAD, 0xAD, 0xAD);
    for (const char* name : {"formSurface", "picMainToolBar", "picBar1", "picBar2"}) {
        auto* surface = window->findChild<SolidSurface*>(QString::fromLatin1(name));
        ASSERT_NE(surface, nullptr) << name;
        EXPECT_EQ(surface->backColor(), grey) << name;
        EXPECT_EQ(pixel(surface), grey) << name;
    }
    EXPECT_EQ(window->picMainWeb->backColor(), grey);
    for (TextBox* box : {window->txtURL, window->txtSearch})
        EXPECT_EQ(pixel(box), QColor(0xE0, 0xE0, 0xE0)) << box->objectName().toStdString();
    EXPECT_TRUE(boxes.shown.isEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Skins, SkinTest,
    ::testing::Values(SkinCase{"NoSkinFile", {}, false},
                      SkinCase{"BrokenSkinFile", QByteArray("\x89PNG\r\n\x1a\n\0\0{{{", 13), true},
                      SkinCase{"ShippedSkin",
                               [] {
                                   QFile file(TARNVALE_SOURCE_DIR "/assets/skin.skn");
                                   file.open(QIODevice::ReadOnly);
                                   return file.readAll();
                               }(),
                               true},
                      SkinCase{
                          "HostileSkin",
                          "* { background-color: #FF0000; } QWidget, PictureBox, QLineEdit, TextBox"
                          " { background-color: #0000FF; background: #00FF00; }",
                          true}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SkinTest, TheSkinFileIsReadAgainForEveryWindow) {
    QFile file(folder.path() + QStringLiteral("/skin.skn"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("QMenuBar { color: #123456; }");
    file.close();
    frmMain* first = openWindow();
    EXPECT_EQ(first->styleSheet(), QStringLiteral("QMenuBar { color: #123456; }"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("QMenuBar { color: #654321; }");
    file.close();
    frmMain* second = openWindow();
    EXPECT_EQ(second->styleSheet(), QStringLiteral("QMenuBar { color: #654321; }"));
}

class ToolBarTest : public BrowserFixture {};

TEST_F(ToolBarTest, TooltipsAndTheHandPointer) {
    frmMain* window = openWindow();
    const QList<QPair<int, QString>> tips = {{1, "向后"}, {2, "向前"},  {3, "停止"},
                                             {4, "刷新"}, {92, "搜索"}, {93, "选择搜索引擎"}};
    for (const auto& [index, tip] : tips) {
        ImageButton* image = window->imgToolBar.value(index);
        ASSERT_NE(image, nullptr) << index;
        EXPECT_EQ(image->toolTip(), tip);
        EXPECT_EQ(image->cursor().hotSpot(), QPoint(12, 9));
        EXPECT_EQ(image->cursor().bitmap().size(), QSize(32, 32));
        EXPECT_FALSE(image->pixmap().isNull()) << index;
    }
    EXPECT_EQ(window->imgToolBar[1]->pixmap().deviceIndependentSize(), QSizeF(24, 24));
    EXPECT_EQ(window->imgToolBar[3]->pixmap().deviceIndependentSize(), QSizeF(16, 16));
    EXPECT_EQ(window->imgToolBar[93]->pixmap().deviceIndependentSize(), QSizeF(13, 13));
}

TEST_F(ToolBarTest, SearchEngineButtonDoesNothing) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    EXPECT_FALSE(window->imgToolBar[93]->isEnabled());
    QTest::mouseClick(window->imgToolBar[93], Qt::LeftButton);
    window->imgToolBar_Click(93);
    EXPECT_TRUE(page(window)->calls.isEmpty());
    EXPECT_TRUE(boxes.shown.isEmpty());
}

TEST_F(ToolBarTest, TabGoesSearchBoxPageAddressBox) {
    frmMain* window = openWindow();
    window->txtSearch->setFocus();
    QTest::keyClick(window->txtSearch, Qt::Key_Tab);
    EXPECT_TRUE(window->webMain->hasFocus());
    QTest::keyClick(window->webMain, Qt::Key_Tab);
    EXPECT_TRUE(window->txtURL->hasFocus());
}

TEST_F(ToolBarTest, ResizingLaysTheControlsOutAgain) {
    frmMain* window = openWindow();
    window->showNormal();
    window->resize(900, 500);
    QWidget* client = window->centralWidget();
    ASSERT_TRUE(QTest::qWaitFor([&] { return client->width() == 900; }, 2000));
    WindowGeometry expected = designGeometry();
    layoutWindow(expected, 900 * kTwipsPerPixel, float(client->height()) * kTwipsPerPixel);
    EXPECT_EQ(window->txtURL->geometry(), toPixels(expected.txtURL));
    EXPECT_EQ(window->picBar2->geometry(), toPixels(expected.picBar2));
    EXPECT_EQ(window->webMain->geometry(), toPixels(expected.webMain));
    EXPECT_EQ(window->picMainWeb->geometry(), toPixels(expected.picMainWeb));
    // The search strip keeps its width and its place at the right end.
    EXPECT_EQ(window->picBar2->width(), 298);
}

} // namespace
