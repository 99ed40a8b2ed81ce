#include "platform/EncodingGuess.h"

#include "platform/GbkText.h"

namespace {
// The length of the UTF-8 sequence starting at bytes[at] (2 to 4), or 0 when none starts there.
int utf8SequenceAt(const QByteArray& bytes, qsizetype at) {
    const auto byte = [&](qsizetype i) {
        return i < bytes.size() ? uchar(bytes.at(i)) : 0;
    };
    const uchar lead = byte(at);
    const int length = lead >= 0xC2 && lead <= 0xDF   ? 2
                       : lead >= 0xE0 && lead <= 0xEF ? 3
                       : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                      : 0;
    for (int i = 1; i < length; ++i) {
        if ((byte(at + i) & 0xC0) != 0x80)
            return 0;
    }
    return length;
}
} // namespace

bool looksLikeUtf8ReadAsGbk(const QString& text) {
    // Bytes GBK could not pair were lost as U+FFFD; what is left still tells.
    QString kept = text;
    const qsizetype lost = kept.count(QChar::ReplacementCharacter);
    kept.remove(QChar::ReplacementCharacter);
    const QByteArray bytes = toGbk(kept);
    int valid = 0;
    int invalid = 0;
    for (qsizetype at = 0; at < bytes.size();) {
        if (uchar(bytes.at(at)) < 0x80) {
            ++at;
            continue;
        }
        const int length = utf8SequenceAt(bytes, at);
        if (length) {
            ++valid;
            at += length;
        } else {
            ++invalid;
            ++at;
        }
    }
    // A lost byte breaks the sequence it belonged to, leaving up to three bytes of it astray (a
    // run of an odd byte count loses its last); GBK text breaks nearly all sequences.
    const qsizetype astray = qMax<qsizetype>(0, invalid - 3 * lost);
    return valid >= 2 && astray * 4 <= valid;
}
