#include "favorites/BookmarkReading.h"

using namespace bookmarkLimits;

BookmarkTreeBuilder::BookmarkTreeBuilder() {
    m_open.append(&m_reading.tree);
}

bool BookmarkTreeBuilder::count() {
    if (failed())
        return false;
    if (++m_items > kMaxItems)
        return fail(QStringLiteral("书签文件中的项目太多（超过 %1 个）。").arg(kMaxItems));
    return true;
}

// A folder's list of sub-folders changes only while it is the innermost open one, so the
// pointers to the open folders stay valid.
bool BookmarkTreeBuilder::openFolder(const QString& title) {
    if (!count())
        return false;
    if (depth() >= kMaxDepth)
        return fail(tooDeepBookmarkFile());
    FavoriteFolder& parent = *m_open.last();
    parent.folders.append(FavoriteFolder());
    parent.folders.last().name = bookmarkTitle(title);
    m_open.append(&parent.folders.last());
    return true;
}

void BookmarkTreeBuilder::closeFolder() {
    if (m_open.size() > 1)
        m_open.removeLast();
}

bool BookmarkTreeBuilder::addBookmark(const QString& title, const QString& address) {
    if (!count())
        return false;
    FavoriteEntry entry;
    entry.name = bookmarkTitle(title);
    const QString trimmed = address.trimmed();
    // Kept without its address, which the import then skips.
    if (trimmed.size() <= kMaxAddressBytes && trimmed.toUtf8().size() <= kMaxAddressBytes)
        entry.url = trimmed;
    m_open.last()->entries.append(entry);
    return true;
}

bool BookmarkTreeBuilder::fail(const QString& error) {
    if (!failed())
        m_reading.error = error;
    m_reading.tree = FavoriteFolder();
    m_open = {&m_reading.tree};
    return false;
}

BookmarkReading BookmarkTreeBuilder::take() {
    BookmarkReading reading = std::move(m_reading);
    m_reading = BookmarkReading();
    m_open = {&m_reading.tree};
    return reading;
}

QString bookmarkTitle(const QString& title) {
    QString kept = title.size() > 4 * kMaxTitle ? title.left(4 * kMaxTitle) : title;
    kept = kept.simplified();
    if (kept.size() > kMaxTitle) {
        qsizetype cut = kMaxTitle;
        if (kept.at(cut - 1).isHighSurrogate())
            --cut;
        kept.truncate(cut);
    }
    return kept;
}

QString truncatedBookmarkFile() {
    return QStringLiteral("书签文件不完整（可能只复制或下载了一部分）。");
}

QString tooDeepBookmarkFile() {
    return QStringLiteral("书签文件中的文件夹嵌套太深（超过 %1 层）。").arg(kMaxDepth);
}
