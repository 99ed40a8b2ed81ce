#include "platform/RegFileWriter.h"

#include "platform/AddressText.h"
#include "platform/GbkText.h"
#include "platform/IniProfileFile.h"
#include "platform/RegFileParser.h"
#include "platform/RegFileStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>
#include <QStringDecoder>
#include <QStringEncoder>
#include <algorithm>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

enum class CodePage { Gbk, Utf8, Utf16 };

// How a file spells its text; the reader decides the same way.
struct Layout {
    CodePage code = CodePage::Gbk;
    qsizetype bodyStart = 0; // after the byte order mark
    int unit = 1;            // bytes per code unit
};

Layout layoutOf(const QByteArray& bytes) {
    if (bytes.startsWith("\xFF\xFE"))
        return {CodePage::Utf16, 2, 2};
    if (bytes.startsWith("\xEF\xBB\xBF"))
        return {CodePage::Utf8, 3, 1};
    if (QString::fromLatin1(bytes.left(256))
            .trimmed()
            .startsWith(QLatin1String("Windows Registry Editor Version 5.00"))) {
        QStringDecoder utf8(QStringDecoder::Utf8);
        utf8.decode(bytes);
        if (!utf8.hasError())
            return {CodePage::Utf8, 0, 1};
    }
    return {};
}

QString decode(CodePage code, const QByteArray& bytes) {
    if (code == CodePage::Utf16) {
        QStringDecoder utf16(QStringDecoder::Utf16LE, QStringDecoder::Flag::Stateless);
        return utf16.decode(bytes);
    }
    return code == CodePage::Utf8 ? QString::fromUtf8(bytes) : fromGbk(bytes);
}

QByteArray encode(CodePage code, const QString& text) {
    if (code == CodePage::Utf16) {
        QStringEncoder utf16(QStringEncoder::Utf16LE);
        return utf16.encode(text);
    }
    return code == CodePage::Utf8 ? text.toUtf8() : toGbk(text);
}

// A line's bytes: its text [start, end), its line end [end, next).
struct Span {
    qsizetype start = 0, end = 0, next = 0;
};

QList<Span> physicalLines(const QByteArray& bytes, const Layout& layout) {
    const auto unitAt = [&](qsizetype i) {
        return layout.unit == 2 ? uint(uchar(bytes[i])) | uint(uchar(bytes[i + 1])) << 8
                                : uint(uchar(bytes[i]));
    };
    const qsizetype whole = bytes.size() - (bytes.size() - layout.bodyStart) % layout.unit;
    QList<Span> lines;
    qsizetype start = layout.bodyStart;
    for (qsizetype i = start; i < whole; i += layout.unit) {
        const uint c = unitAt(i);
        if (c != '\n' && c != '\r')
            continue;
        qsizetype next = i + layout.unit;
        if (c == '\r' && next < whole && unitAt(next) == '\n')
            next += layout.unit;
        lines.append({start, i, next});
        start = next;
        i = next - layout.unit;
    }
    lines.append({start, bytes.size(), bytes.size()});
    return lines;
}

struct Logical {
    QString text;
    Span span; // from the first physical line's start to the last one's end
};

// Joined and trimmed as the reader does: a line ending in "\" goes on in the next one, and
// comments are dropped.
QList<Logical> logicalLines(const QByteArray& bytes, const Layout& layout,
                            const QList<Span>& lines) {
    QList<Logical> result;
    Logical pending;
    bool continuing = false;
    for (const Span& line : lines) {
        QString text = decode(layout.code, bytes.mid(line.start, line.end - line.start)).trimmed();
        if (!continuing && text.startsWith(QLatin1Char(';')))
            continue;
        if (!continuing)
            pending = {QString(), {line.start, line.end, line.next}};
        continuing = text.endsWith(QLatin1Char('\\')) && !text.startsWith(QLatin1Char('['));
        if (continuing)
            text.chop(1);
        pending.text += text;
        pending.span.end = line.end;
        pending.span.next = line.next;
        if (!continuing)
            result.append(pending);
    }
    if (continuing)
        result.append(pending);
    return result;
}

struct KeyName {
    quint32 root = 0;
    QString path; // normalised
};

std::optional<KeyName> keyName(const QString& text) {
    const qsizetype slash = text.indexOf(QLatin1Char('\\'));
    const auto root = regRootFromName(slash < 0 ? text : text.left(slash));
    if (!root)
        return std::nullopt;
    return KeyName{*root, normaliseKeyPath(slash < 0 ? QString() : text.mid(slash + 1))};
}

QString quoted(const QString& text) {
    QString escaped = text;
    escaped.replace(QLatin1Char('\\'), QLatin1String("\\\\"));
    escaped.replace(QLatin1Char('"'), QLatin1String("\\\""));
    return QLatin1Char('"') + escaped + QLatin1Char('"');
}

bool hasControl(const QString& text) {
    return std::any_of(text.begin(), text.end(), [](QChar c) { return c.unicode() < 0x20; });
}

} // namespace

std::optional<QByteArray> withRegString(const QByteArray& old, const QString& keyPath,
                                        const QString& name, const QString& value) {
    const auto target = keyName(keyPath);
    if (!target || hasControl(value) || hasControl(name) || hasControl(keyPath))
        return std::nullopt;
    const QString line =
        quoted(name) + QLatin1Char('=') + quoted(gbkCanHold(value) ? value : gbkAddress(value));
    const QString section = QLatin1Char('[') + keyPath + QLatin1Char(']');
    if (old.isEmpty())
        return toGbk(QStringLiteral("REGEDIT4\r\n\r\n") + section + QStringLiteral("\r\n") + line +
                     QStringLiteral("\r\n\r\n"));
    if (!parseRegFile(old).recognised())
        return std::nullopt;

    const Layout layout = layoutOf(old);
    const QList<Span> lines = physicalLines(old, layout);
    const QByteArray eol = lines.size() > 1 ? old.mid(lines[0].end, lines[0].next - lines[0].end)
                                            : encode(layout.code, QStringLiteral("\r\n"));
    // The value's last line in a section of the key, and the last line of the key's last
    // section, since the key's last deletion: what the reader ends up with.
    constexpr Span kNone{-1, -1, -1};
    Span valueLine = kNone, sectionEnd = kNone;
    bool inTarget = false, headerSeen = false;
    for (const Logical& logical : logicalLines(old, layout, lines)) {
        const QString& text = logical.text;
        if (text.isEmpty())
            continue;
        if (!headerSeen) {
            headerSeen = true;
            continue;
        }
        if (text.startsWith(QLatin1Char('[')) && text.endsWith(QLatin1Char(']'))) {
            QString path = text.mid(1, text.size() - 2).trimmed();
            const bool deletion = path.startsWith(QLatin1Char('-'));
            const auto key = keyName(deletion ? path.mid(1) : path);
            inTarget = key && !deletion && key->root == target->root && key->path == target->path;
            const bool deletesTarget = key && deletion && key->root == target->root &&
                                       (key->path.isEmpty() || key->path == target->path ||
                                        target->path.startsWith(key->path + QLatin1Char('\\')));
            if (deletesTarget)
                valueLine = sectionEnd = kNone;
            if (inTarget)
                sectionEnd = logical.span;
            continue;
        }
        if (!inTarget)
            continue;
        sectionEnd = logical.span;
        qsizetype pos = 0;
        const auto valueName =
            text.startsWith(QLatin1Char('"')) ? readRegQuoted(text, pos) : std::nullopt;
        if (valueName && valueName->compare(name, Qt::CaseInsensitive) == 0 &&
            text.mid(pos).trimmed().startsWith(QLatin1Char('=')))
            valueLine = logical.span;
    }

    const QByteArray written = encode(layout.code, line);
    if (valueLine.start >= 0)
        return old.left(valueLine.start) + written + old.mid(valueLine.end);
    if (sectionEnd.start >= 0) {
        // After the section's last line; one that ends the file without a line end gets one.
        if (sectionEnd.next > sectionEnd.end)
            return old.left(sectionEnd.next) + written + eol + old.mid(sectionEnd.next);
        return old.left(sectionEnd.end) + eol + written + old.mid(sectionEnd.end);
    }
    QByteArray result = old;
    const bool endsWithLineEnd = lines.last().start == lines.last().end && lines.size() > 1;
    if (!endsWithLineEnd)
        result += eol;
    const bool endsWithBlankLine = endsWithLineEnd && lines.size() > 2 &&
                                   lines[lines.size() - 2].start == lines[lines.size() - 2].end;
    if (!endsWithBlankLine)
        result += eol; // a blank line before the key, as regedit writes them
    return result + encode(layout.code, section) + eol + written + eol;
}

RegWrite writeRegString(const QString& path, const QString& keyPath, const QString& name,
                        const QString& value) {
    if (!withRegString(QByteArray(), keyPath, name, value))
        return RegWrite::BadValue;
    const std::filesystem::path file = nativePath(path);
    QByteArray old;
    struct stat info {};
    if (::lstat(file.c_str(), &info) == 0) {
        if (!S_ISREG(info.st_mode))
            return RegWrite::NotAFile;
        if (info.st_size > RegFileStore::kMaxFileSize)
            return RegWrite::TooLarge;
        QFile opened;
        const int fd = ::open(file.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK);
        if (fd < 0 || ::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode) ||
            !opened.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
            if (fd >= 0)
                ::close(fd);
            return RegWrite::Unreadable;
        }
        if (info.st_size > RegFileStore::kMaxFileSize)
            return RegWrite::TooLarge;
        old = opened.readAll();
        if (opened.error() != QFileDevice::NoError)
            return RegWrite::Unreadable;
    } else if (errno != ENOENT) {
        return RegWrite::Unreadable;
    }
    const auto bytes = withRegString(old, keyPath, name, value);
    if (!bytes)
        return RegWrite::NotRegistryFile;
    QDir().mkpath(QFileInfo(path).absolutePath());
    return replaceFileAtomically(file, *bytes) ? RegWrite::Written : RegWrite::Unwritable;
}
