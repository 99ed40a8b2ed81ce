#include "platform/RegFileParser.h"

#include "platform/GbkText.h"

#include <QRegularExpression>
#include <QStringDecoder>
#include <optional>

namespace {

const QString kHeaderV4 = QStringLiteral("REGEDIT4");
const QString kHeaderV5 = QStringLiteral("Windows Registry Editor Version 5.00");

struct DecodedFile {
    QString text;
    bool unicode = false; // version 5: string-type hex data is UTF-16LE
};

QString firstLine(const QString& text) {
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (const QString& line : lines) {
        if (!line.trimmed().isEmpty())
            return line.trimmed();
    }
    return {};
}

std::optional<DecodedFile> decodeFile(const QByteArray& bytes) {
    DecodedFile file;
    if (bytes.startsWith("\xFF\xFE")) {
        QStringDecoder utf16(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        file.text = utf16.decode(bytes.mid(2));
    } else if (bytes.startsWith("\xEF\xBB\xBF")) {
        file.text = QString::fromUtf8(bytes.mid(3));
    } else {
        // Both dialects start in ASCII, so the header tells which code page the rest is in.
        const QString header = firstLine(QString::fromLatin1(bytes.left(256)));
        if (header == kHeaderV5) {
            QStringDecoder utf8(QStringDecoder::Utf8);
            file.text = utf8.decode(bytes);
            if (utf8.hasError())
                file.text = fromGbk(bytes);
        } else {
            file.text = fromGbk(bytes);
        }
    }
    const QString header = firstLine(file.text);
    if (header == kHeaderV5)
        file.unicode = true;
    else if (header != kHeaderV4)
        return std::nullopt;
    return file;
}

} // namespace

std::optional<quint32> regRootFromName(const QString& name) {
    const QString upper = name.toUpper();
    if (upper == QLatin1String("HKEY_CLASSES_ROOT") || upper == QLatin1String("HKCR"))
        return RegRoot::ClassesRoot;
    if (upper == QLatin1String("HKEY_CURRENT_USER") || upper == QLatin1String("HKCU"))
        return RegRoot::CurrentUser;
    if (upper == QLatin1String("HKEY_LOCAL_MACHINE") || upper == QLatin1String("HKLM"))
        return RegRoot::LocalMachine;
    if (upper == QLatin1String("HKEY_USERS") || upper == QLatin1String("HKU"))
        return RegRoot::Users;
    if (upper == QLatin1String("HKEY_CURRENT_CONFIG") || upper == QLatin1String("HKCC"))
        return RegRoot::CurrentConfig;
    return std::nullopt;
}

std::optional<QString> readRegQuoted(const QString& text, qsizetype& pos) {
    QString result;
    for (++pos; pos < text.size(); ++pos) {
        const QChar c = text.at(pos);
        if (c == QLatin1Char('"')) {
            ++pos;
            return result;
        }
        if (c == QLatin1Char('\\') && pos + 1 < text.size()) {
            const QChar next = text.at(pos + 1);
            if (next == QLatin1Char('\\') || next == QLatin1Char('"')) {
                result += next;
                ++pos;
                continue;
            }
        }
        result += c;
    }
    return std::nullopt;
}

namespace {

std::optional<QByteArray> parseHexBytes(const QString& list) {
    QByteArray bytes;
    const QStringList parts = list.split(QLatin1Char(','));
    for (const QString& rawPart : parts) {
        const QString part = rawPart.trimmed();
        if (part.isEmpty() && parts.size() == 1)
            break; // "hex:" with no data
        bool ok = false;
        const uint byte = part.toUInt(&ok, 16);
        if (!ok || part.size() > 2)
            return std::nullopt;
        bytes.append(char(byte));
    }
    return bytes;
}

bool isStringType(quint32 type) {
    return type == RegType::Sz || type == RegType::ExpandSz || type == RegType::MultiSz;
}

// What the ANSI registry functions hand out for string data stored as UTF-16LE.
QByteArray utf16ToAnsi(const QByteArray& utf16) {
    QStringDecoder decoder(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
    return toGbk(decoder.decode(utf16));
}

std::optional<RegValue> parseData(const QString& data, bool unicode) {
    if (data.startsWith(QLatin1Char('"'))) {
        qsizetype pos = 0;
        const auto text = readRegQuoted(data, pos);
        if (!text || !data.mid(pos).trimmed().isEmpty())
            return std::nullopt;
        return RegValue{RegType::Sz, toGbk(*text) + QByteArray(1, '\0')};
    }
    static const QRegularExpression dword(QStringLiteral("^dword:([0-9A-Fa-f]{1,8})$"),
                                          QRegularExpression::CaseInsensitiveOption);
    if (const auto m = dword.match(data); m.hasMatch()) {
        const quint32 number = m.captured(1).toUInt(nullptr, 16);
        QByteArray bytes(4, '\0');
        for (int i = 0; i < 4; ++i)
            bytes[i] = char((number >> (8 * i)) & 0xFF);
        return RegValue{RegType::Dword, bytes};
    }
    static const QRegularExpression hex(QStringLiteral("^hex(?:\\(([0-9A-Fa-f]{1,8})\\))?:(.*)$"),
                                        QRegularExpression::CaseInsensitiveOption);
    if (const auto m = hex.match(data); m.hasMatch()) {
        const quint32 type =
            m.captured(1).isEmpty() ? RegType::Binary : m.captured(1).toUInt(nullptr, 16);
        auto bytes = parseHexBytes(m.captured(2));
        if (!bytes)
            return std::nullopt;
        if (unicode && isStringType(type))
            *bytes = utf16ToAnsi(*bytes);
        return RegValue{type, *bytes};
    }
    return std::nullopt;
}

// Physical lines joined where a line ends in the continuation backslash; comments dropped.
QStringList logicalLines(const QString& text) {
    QStringList result;
    QString pending;
    bool continuing = false;
    const QStringList lines = text.split(QRegularExpression(QStringLiteral("\r\n|\n|\r")));
    for (const QString& raw : lines) {
        QString line = raw.trimmed();
        if (!continuing && line.startsWith(QLatin1Char(';')))
            continue;
        continuing = line.endsWith(QLatin1Char('\\')) && !line.startsWith(QLatin1Char('['));
        if (continuing)
            line.chop(1);
        pending += line;
        if (!continuing) {
            result.append(pending);
            pending.clear();
        }
    }
    if (!pending.isEmpty())
        result.append(pending);
    return result;
}

} // namespace

QString normaliseKeyPath(const QString& keyPath) {
    return keyPath.split(QLatin1Char('\\'), Qt::SkipEmptyParts).join(QLatin1Char('\\')).toLower();
}

const RegFileContents::Values* RegFileContents::key(quint32 root, const QString& keyPath) const {
    const auto rootIt = m_roots.constFind(root);
    if (rootIt == m_roots.constEnd())
        return nullptr;
    const auto keyIt = rootIt->constFind(normaliseKeyPath(keyPath));
    return keyIt == rootIt->constEnd() ? nullptr : &*keyIt;
}

RegFileContents parseRegFile(const QByteArray& bytes) {
    RegFileContents contents;
    const auto file = decodeFile(bytes);
    if (!file)
        return contents;
    contents.m_recognised = true;

    RegFileContents::Values* current = nullptr;
    bool headerSeen = false;
    for (const QString& line : logicalLines(file->text)) {
        if (line.isEmpty())
            continue;
        if (!headerSeen) {
            headerSeen = true; // the first non-empty line is the header checked above
            continue;
        }
        if (line.startsWith(QLatin1Char('[')) && line.endsWith(QLatin1Char(']'))) {
            QString path = line.mid(1, line.size() - 2).trimmed();
            const bool deletion = path.startsWith(QLatin1Char('-'));
            if (deletion)
                path = path.mid(1);
            const qsizetype slash = path.indexOf(QLatin1Char('\\'));
            const auto root = regRootFromName(slash < 0 ? path : path.left(slash));
            current = nullptr;
            if (!root)
                continue;
            const QString keyPath = normaliseKeyPath(slash < 0 ? QString() : path.mid(slash + 1));
            auto& keys = contents.m_roots[*root];
            if (deletion) {
                if (keyPath.isEmpty())
                    keys.clear();
                keys.remove(keyPath);
                const QString prefix = keyPath + QLatin1Char('\\');
                for (auto it = keys.lowerBound(prefix);
                     it != keys.end() && it.key().startsWith(prefix);)
                    it = keys.erase(it);
            } else {
                current = &keys[keyPath];
            }
            continue;
        }
        if (!current)
            continue;

        QString name;
        qsizetype pos = 0;
        if (line.startsWith(QLatin1Char('@'))) {
            pos = 1;
        } else if (line.startsWith(QLatin1Char('"'))) {
            const auto quoted = readRegQuoted(line, pos);
            if (!quoted)
                continue;
            name = *quoted;
        } else {
            continue;
        }
        const QString rest = line.mid(pos).trimmed();
        if (!rest.startsWith(QLatin1Char('=')))
            continue;
        const QString data = rest.mid(1).trimmed();
        if (data == QLatin1String("-")) {
            current->remove(name.toLower());
            continue;
        }
        if (const auto value = parseData(data, file->unicode))
            current->insert(name.toLower(), *value);
    }
    return contents;
}
