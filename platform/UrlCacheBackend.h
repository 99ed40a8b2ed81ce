#pragma once

#include <QByteArray>
#include <QtGlobal>

// The URL cache as groups and entries, with the calls and last-error codes of the system
// cache functions the browser was written against. Every call sets lastError(): 0 after a
// success, else a code below or any other failure code.
class UrlCacheBackend {
public:
    using Handle = quintptr; // 0: no enumeration
    using GroupId = qint64;

    static constexpr quint32 kNoMoreGroups = 2;           // ERROR_FILE_NOT_FOUND
    static constexpr quint32 kInsufficientBuffer = 122;   // ERROR_INSUFFICIENT_BUFFER
    static constexpr quint32 kNoMoreEntries = 259;        // ERROR_NO_MORE_ITEMS
    static constexpr quint32 kFunctionMissing = 453;      // no group functions on this back end
    static constexpr quint32 kDeleteGroupWithEntries = 2; // CACHEGROUP_FLAG_FLUSHURL_ONDELETE
    static constexpr quint32 kEntryRecordHeaderSize = 80;

    // One cache entry as the enumeration hands it out.
    struct EntryRecord {
        QByteArray sourceUrlName; // multibyte, without its NUL
    };

    virtual ~UrlCacheBackend() = default;

    virtual Handle FindFirstUrlCacheGroup(GroupId& group) = 0;
    virtual bool DeleteUrlCacheGroup(GroupId group, quint32 flags) = 0;
    virtual bool FindNextUrlCacheGroup(Handle handle, GroupId& group, quint32& bufferSize) = 0;
    // A record needing more than bufferSize bytes fails with kInsufficientBuffer and sets
    // bufferSize to what it needs; the enumeration stays on that record.
    virtual Handle FindFirstUrlCacheEntry(EntryRecord& record, quint32& bufferSize) = 0;
    virtual bool DeleteUrlCacheEntry(const QByteArray& sourceUrlName) = 0;
    virtual bool FindNextUrlCacheEntry(Handle handle, EntryRecord& record, quint32& bufferSize) = 0;
    virtual void FindCloseUrlCache(Handle handle) = 0;
    virtual quint32 lastError() const = 0;
    virtual void clearLastError() = 0;

    // The bytes a record of this entry needs: the fixed record and the name with its NUL.
    static quint32 recordSize(const QByteArray& sourceUrlName) {
        return kEntryRecordHeaderSize + quint32(sourceUrlName.size()) + 1;
    }
};
