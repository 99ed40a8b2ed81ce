// The address box suggests what the URL history holds, and forgets what it no longer holds.
#include "BrowserTestWindow.h"

#include "TextBox.h"
#include "modcboAutoComplete.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QLineEdit>
#include <QTest>

namespace {

class AutoCompleteTest : public BrowserFixture {};

QStringList suggestions(QCompleter* completer) {
    QStringList result;
    for (int row = 0; completer->setCurrentRow(row); ++row)
        result << completer->currentCompletion();
    return result;
}

TEST_F(AutoCompleteTest, AddressBoxSuggestsVisitedAddressesMostRecentFirst) {
    history.recordVisit(QStringLiteral("http://www.example.com/a"), QString());
    history.recordVisit(QStringLiteral("http://other.org/"), QString());
    history.recordVisit(QStringLiteral("https://EXAMPLE.net/b"), QString());
    frmMain* window = openWindow();
    window->txtURL->setFocus();
    QTest::keyClicks(window->txtURL, QStringLiteral("example"));

    QCompleter* completer = window->txtURL->completer();
    ASSERT_NE(completer, nullptr);
    EXPECT_EQ(suggestions(completer),
              (QStringList{"https://example.net/b", "http://www.example.com/a"}));
    EXPECT_TRUE(completer->popup()->isVisible());
}

TEST_F(AutoCompleteTest, EnterOnASuggestionGoesThere) {
    history.recordVisit(QStringLiteral("http://other.org/page"), QString());
    frmMain* window = openWindow();
    page(window)->calls.clear();
    window->txtURL->setFocus();
    QTest::keyClicks(window->txtURL, QStringLiteral("other"));
    QAbstractItemView* popup = window->txtURL->completer()->popup();
    ASSERT_TRUE(popup->isVisible());
    QTest::keyClick(popup, Qt::Key_Down);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("http://other.org/page"));
    EXPECT_EQ(page(window)->calls, QStringList{"Navigate:http://other.org/page"});
}

// The completion list closing while typing used to select the whole text, so the next key
// replaced everything typed so far.
TEST_F(AutoCompleteTest, TypingOnAfterTheSuggestionsCloseKeepsTheText) {
    history.recordVisit(QStringLiteral("http://example.com/"), QString());
    frmMain* window = openWindow();
    window->txtURL->setFocus();
    QTest::keyClicks(window->txtURL, QStringLiteral("exam"));
    ASSERT_TRUE(window->txtURL->completer()->popup()->isVisible());
    QTest::keyClicks(window->txtURL->completer()->popup(), QStringLiteral("qr"));
    EXPECT_FALSE(window->txtURL->completer()->popup()->isVisible());
    QTest::keyClicks(window->txtURL, QStringLiteral("st"));
    EXPECT_EQ(window->txtURL->text(), QStringLiteral("examqrst"));
}

TEST_F(AutoCompleteTest, ClearedHistoryLeavesNothingToSuggest) {
    history.recordVisit(QStringLiteral("http://www.example.com/a"), QString());
    frmMain* window = openWindow();
    history.removeUrl(QStringLiteral("http://www.example.com/a"));
    window->txtURL->setFocus();
    QTest::keyClicks(window->txtURL, QStringLiteral("example"));
    EXPECT_TRUE(suggestions(window->txtURL->completer()).isEmpty());
}

// A page finishing in the background while someone types is offered at once; a box without
// the focus catches up when it gains it.
TEST_F(AutoCompleteTest, VisitsMadeWhileTypingAreOfferedAtOnce) {
    frmMain* window = openWindow();
    frmMain* other = openWindow();
    window->activateWindow();
    ASSERT_TRUE(waitActive(window));
    window->txtURL->setFocus();
    QTest::keyClicks(window->txtURL, QStringLiteral("fresh"));
    history.recordVisit(QStringLiteral("http://fresh.example/"), QString());
    EXPECT_EQ(suggestions(window->txtURL->completer()), QStringList{"http://fresh.example/"});

    other->activateWindow();
    ASSERT_TRUE(waitActive(other));
    other->txtURL->setFocus();
    QTest::keyClicks(other->txtURL, QStringLiteral("fresh"));
    EXPECT_EQ(suggestions(other->txtURL->completer()), QStringList{"http://fresh.example/"});
}

TEST_F(AutoCompleteTest, OnlyTheUrlHistoryFlagTurnsCompletionOn) {
    QLineEdit box;
    EnableAutoComplete(&box, 0x1, &history); // file system only: not offered here
    EXPECT_EQ(box.completer(), nullptr);
    EnableAutoComplete(&box, SHACF_URLHISTORY, nullptr);
    EXPECT_EQ(box.completer(), nullptr);
    EnableAutoComplete(&box, SHACF_URLHISTORY, &history);
    EXPECT_NE(box.completer(), nullptr);
}

} // namespace
