// The keys a browser user expects, the mouse's history buttons, and the names screen readers
// announce.
#include "BrowserTestWindow.h"
#include "FavoritesFixture.h"

#include "ImageButton.h"
#include "PictureBox.h"
#include "TextBox.h"
#include "frmOpen.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QTest>
#include <functional>

namespace {

class KeysTest : public BrowserFixture, public FavoritesFixture {
protected:
    KeysTest() { services.favorites = &favorites; }
};

struct KeyCase {
    const char* name;
    QKeySequence keys;
    // What the key did: the page view's calls, or a fact about the window.
    std::function<bool(KeysTest&, frmMain*)> done;
};

class KeyTableTest : public KeysTest, public ::testing::WithParamInterface<KeyCase> {};

std::function<bool(KeysTest&, frmMain*)> called(const QString& call) {
    return [call](KeysTest&, frmMain* window) {
        return BrowserFixture::page(window)->calls == QStringList{call};
    };
}

std::function<bool(KeysTest&, frmMain*)> selectedIn(const char* box) {
    return [box](KeysTest&, frmMain*) {
        auto* focused = qobject_cast<TextBox*>(QApplication::focusWidget());
        return focused && focused->objectName() == QLatin1String(box) &&
               focused->selectedText() == focused->text() && !focused->text().isEmpty();
    };
}

TEST_P(KeyTableTest, EachKeyDoesWhatItsMenuItemDoes) {
    frmMain* window = openWindow();
    window->txtURL->setText(QStringLiteral("http://shown.example/"));
    window->webMain->setFocus();
    page(window)->calls.clear();
    const QKeyCombination key = GetParam().keys[0];
    QTest::keyClick(window->webMain, key.key(), key.keyboardModifiers());
    EXPECT_TRUE(GetParam().done(*this, window));
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyTableTest,
    ::testing::Values(KeyCase{"F5", Qt::Key_F5, called("Refresh")},
                      KeyCase{"CtrlR", Qt::CTRL | Qt::Key_R, called("Refresh")},
                      KeyCase{"Escape", Qt::Key_Escape, called("Stop")},
                      KeyCase{"AltLeft", Qt::ALT | Qt::Key_Left, called("GoBack")},
                      KeyCase{"AltRight", Qt::ALT | Qt::Key_Right, called("GoForward")},
                      KeyCase{"AltHome", Qt::ALT | Qt::Key_Home,
                              called("Navigate:http://start.example/")},
                      KeyCase{"CtrlS", Qt::CTRL | Qt::Key_S, called("ExecWB:4")},
                      KeyCase{"CtrlP", Qt::CTRL | Qt::Key_P, called("ExecWB:6")},
                      KeyCase{"CtrlU", Qt::CTRL | Qt::Key_U, called("DocumentMarkup")},
                      KeyCase{"CtrlL", Qt::CTRL | Qt::Key_L, selectedIn("txtURL")},
                      KeyCase{"F6", Qt::Key_F6, selectedIn("txtURL")},
                      KeyCase{"AltD", Qt::ALT | Qt::Key_D, selectedIn("txtURL")},
                      KeyCase{"CtrlK", Qt::CTRL | Qt::Key_K, selectedIn("txtSearch")},
                      KeyCase{"CtrlE", Qt::CTRL | Qt::Key_E, selectedIn("txtSearch")},
                      KeyCase{"CtrlN", Qt::CTRL | Qt::Key_N,
                              [](KeysTest&, frmMain*) {
                                  return frmMain::openWindows().size() == 2;
                              }},
                      KeyCase{"CtrlO", Qt::CTRL | Qt::Key_O,
                              [](KeysTest&, frmMain*) {
                                  return frmOpen::instance() != nullptr;
                              }},
                      KeyCase{"CtrlW", Qt::CTRL | Qt::Key_W,
                              [](KeysTest&, frmMain*) {
                                  return frmMain::openWindows().isEmpty();
                              }},
                      KeyCase{"CtrlD", Qt::CTRL | Qt::Key_D,
                              [](KeysTest& test, frmMain*) {
                                  return test.dialogs.asked.filter("add:").size() == 1;
                              }}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(KeysTest, NoKeyActsBehindAModalDialog) {
    frmMain* window = openWindow();
    QDialog dialog(window);
    dialog.setModal(true);
    dialog.show();
    ASSERT_TRUE(waitActive(&dialog));
    page(window)->calls.clear();
    QTest::keyClick(window->webMain, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(window->webMain, Qt::Key_F5);
    EXPECT_EQ(frmMain::openWindows().size(), 1);
    EXPECT_TRUE(page(window)->calls.isEmpty());
}

TEST_F(KeysTest, TheMouseHistoryButtonsGoBackAndForward) {
    frmMain* window = openWindow();
    page(window)->calls.clear();
    QTest::mousePress(window->picMainToolBar, Qt::BackButton);
    QTest::mousePress(window->picBar2, Qt::ForwardButton);
    EXPECT_EQ(page(window)->calls, (QStringList{"GoBack", "GoForward"}));
}

TEST_F(KeysTest, ScreenReadersHearTheControlsNames) {
    frmMain* window = openWindow();
    const auto name = [](QWidget* widget) {
        return QAccessible::queryAccessibleInterface(widget)->text(QAccessible::Name);
    };
    EXPECT_EQ(name(window->txtURL), QStringLiteral("地址"));
    EXPECT_EQ(name(window->txtSearch), QStringLiteral("百度搜索"));
    EXPECT_EQ(name(window->webMain), QStringLiteral("网页"));
    EXPECT_EQ(name(window->imgToolBar[frmMain::kBack]), QStringLiteral("向后"));
    EXPECT_EQ(name(window->imgToolBar[frmMain::kForward]), QStringLiteral("向前"));
    EXPECT_EQ(name(window->imgToolBar[frmMain::kStop]), QStringLiteral("停止"));
    EXPECT_EQ(name(window->imgToolBar[frmMain::kRefresh]), QStringLiteral("刷新"));
    EXPECT_EQ(name(window->imgToolBar[frmMain::kSearch]), QStringLiteral("搜索"));
}

} // namespace
