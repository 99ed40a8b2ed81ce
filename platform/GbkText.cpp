#include "platform/GbkText.h"

#include <QStringDecoder>
#include <QStringEncoder>

// One converter each, made once: opening one costs more than most texts do to convert.
QByteArray toGbk(const QString& text) {
    thread_local QStringEncoder encoder("GBK");
    if (!encoder.isValid())
        return text.toLocal8Bit();
    encoder.resetState();
    return encoder.encode(text);
}

QString fromGbk(const QByteArray& bytes) {
    thread_local QStringDecoder decoder("GBK");
    if (!decoder.isValid())
        return QString::fromLocal8Bit(bytes);
    decoder.resetState();
    return decoder.decode(bytes);
}

bool gbkCanHold(const QString& text) {
    return fromGbk(toGbk(text)) == text;
}
