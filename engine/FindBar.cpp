#include "engine/FindBar.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QWebEngineFindTextResult>
#include <QWebEnginePage>

FindBar::FindBar(QWebEnginePage* page, QWidget* parent)
    : QWidget(parent)
    , m_page(page)
    , m_text(new QLineEdit(this))
    , m_matchCase(new QCheckBox(QStringLiteral("区分大小写(&C)"), this))
    , m_count(new QLabel(this)) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(4, 2, 4, 2);
    auto* label = new QLabel(QStringLiteral("查找(&N)："), this);
    label->setBuddy(m_text); // Alt+N goes to the text; without a buddy "&" shows
    layout->addWidget(label);
    layout->addWidget(m_text, 1);
    auto* previous = new QPushButton(QStringLiteral("上一个(&P)"), this);
    auto* next = new QPushButton(QStringLiteral("下一个(&G)"), this);
    auto* done = new QPushButton(QStringLiteral("关闭"), this);
    layout->addWidget(previous);
    layout->addWidget(next);
    layout->addWidget(m_matchCase);
    layout->addWidget(m_count);
    layout->addWidget(done);
    // Screen readers say these names; "&" marks only the access keys of the captions.
    m_text->setAccessibleName(QStringLiteral("查找"));
    previous->setAccessibleName(QStringLiteral("上一个"));
    next->setAccessibleName(QStringLiteral("下一个"));
    m_matchCase->setAccessibleName(QStringLiteral("区分大小写"));
    done->setAccessibleName(QStringLiteral("关闭"));
    m_text->installEventFilter(this);
    setFocusProxy(m_text);
    hide();

    connect(m_text, &QLineEdit::textEdited, this, [this] { find(false, false); });
    connect(next, &QPushButton::clicked, this, &FindBar::findNext);
    connect(previous, &QPushButton::clicked, this, &FindBar::findPrevious);
    connect(done, &QPushButton::clicked, this, &FindBar::close);
    // The engine keeps its matches when only the case rule changes: start the search over.
    connect(m_matchCase, &QCheckBox::toggled, this, [this] { find(false, true); });
}

void FindBar::open() {
    show();
    m_text->setFocus(Qt::ShortcutFocusReason);
    m_text->selectAll();
    if (!m_text->text().isEmpty())
        find(false, true);
}

void FindBar::close() {
    m_page->findText(QString());
    m_count->clear();
    hide();
    if (auto* owner = parentWidget())
        owner->setFocus(Qt::OtherFocusReason);
}

QString FindBar::countText() const {
    return m_count->text();
}

void FindBar::findNext() {
    find(false, false);
}

void FindBar::findPrevious() {
    find(true, false);
}

void FindBar::find(bool backward, bool restart) {
    if (restart)
        m_page->findText(QString());
    if (m_text->text().isEmpty()) {
        m_count->clear();
        return;
    }
    QWebEnginePage::FindFlags flags;
    if (backward)
        flags |= QWebEnginePage::FindBackward;
    if (m_matchCase->isChecked())
        flags |= QWebEnginePage::FindCaseSensitively;
    // Typing starts a search per key; only the answer to the latest one is shown.
    const QPointer<FindBar> guard(this);
    const quint64 request = ++m_lastRequest;
    m_page->findText(m_text->text(), flags,
                     [guard, request](const QWebEngineFindTextResult& result) {
                         if (guard && request == guard->m_lastRequest)
                             guard->showResult(result);
                     });
}

void FindBar::showResult(const QWebEngineFindTextResult& result) {
    if (result.numberOfMatches() == 0)
        m_count->setText(QStringLiteral("找不到"));
    else
        m_count->setText(QStringLiteral("第 %1 个，共 %2 个")
                             .arg(result.activeMatch())
                             .arg(result.numberOfMatches()));
}

void FindBar::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Escape) {
        close();
        return;
    }
    QWidget::keyPressEvent(event);
}

bool FindBar::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_text && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
            find(key->modifiers() & Qt::ShiftModifier, false);
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
