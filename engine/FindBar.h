#pragma once

#include <QWidget>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWebEngineFindTextResult;
class QWebEnginePage;

// The page view's own find facility: a bar under the page with the text to find, next and
// previous, match case and the count of matches. Escape closes it and clears the marks.
class FindBar final : public QWidget {
    Q_OBJECT
public:
    FindBar(QWebEnginePage* page, QWidget* parent = nullptr);

    void open();
    void close();
    QLineEdit* field() const { return m_text; }
    QCheckBox* matchCase() const { return m_matchCase; }
    QString countText() const;
    void findNext();
    void findPrevious();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void find(bool backward, bool restart);
    void showResult(const QWebEngineFindTextResult& result);

    QWebEnginePage* m_page;
    QLineEdit* m_text;
    QCheckBox* m_matchCase;
    QLabel* m_count;
    quint64 m_lastRequest = 0;
};
