#include "platform/StyleSheetSkinEngine.h"

#include <QFile>
#include <QStringDecoder>
#include <QWidget>

StyleSheetSkinEngine::StyleSheetSkinEngine(SkinSettings settings)
    : m_settings(std::move(settings)) {}

void StyleSheetSkinEngine::LoadSkin(const QString& path) {
    // Read again on every call: a skin changed on disk shows in the next window.
    m_sheet = readSkinFile(path);
}

void StyleSheetSkinEngine::ApplySkin(QWidget* window) {
    if (window && m_sheet)
        window->setStyleSheet(*m_sheet);
}

std::optional<QString> StyleSheetSkinEngine::readSkinFile(const QString& path) {
    QFile file(path);
    if (file.size() > kMaxFileSize || !file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QByteArray bytes = file.read(kMaxFileSize + 1);
    if (bytes.size() > kMaxFileSize)
        return std::nullopt;
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8.decode(bytes);
    if (utf8.hasError() || !looksLikeStyleSheet(text))
        return std::nullopt;
    return text;
}

// Qt's parser drops what it cannot read without telling; this catches files that are plainly
// not style sheets (binary data, unbalanced blocks, unterminated comments or strings) so that
// nothing of them is applied.
bool StyleSheetSkinEngine::looksLikeStyleSheet(const QString& text) {
    int depth = 0;
    QChar quote;
    bool comment = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const QChar next = i + 1 < text.size() ? text.at(i + 1) : QChar();
        if (c.category() == QChar::Other_Control && c != QLatin1Char('\t') &&
            c != QLatin1Char('\n') && c != QLatin1Char('\r') && c != QLatin1Char('\f'))
            return false;
        if (comment) {
            if (c == QLatin1Char('*') && next == QLatin1Char('/')) {
                comment = false;
                ++i;
            }
        } else if (!quote.isNull()) {
            if (c == QLatin1Char('\\'))
                ++i;
            else if (c == quote)
                quote = QChar();
            else if (c == QLatin1Char('\n'))
                return false;
        } else if (c == QLatin1Char('/') && next == QLatin1Char('*')) {
            comment = true;
            ++i;
        } else if (c == QLatin1Char('"') || c == QLatin1Char('\'')) {
            quote = c;
        } else if (c == QLatin1Char('{')) {
            ++depth;
        } else if (c == QLatin1Char('}')) {
            if (--depth < 0)
                return false;
        }
    }
    return depth == 0 && !comment && quote.isNull();
}
