#include "GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>

QByteArray toGbk(const QString& text) {
    QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return text.toLocal8Bit();
    return encoder.encode(text);
}

QString fromGbk(const QByteArray& bytes) {
    QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return QString::fromLocal8Bit(bytes);
    return decoder.decode(bytes);
}

bool gbkCanHold(const QString& text) {
    return fromGbk(toGbk(text)) == text;
}
