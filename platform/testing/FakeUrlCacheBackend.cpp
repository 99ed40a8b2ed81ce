#include "platform/testing/FakeUrlCacheBackend.h"

UrlCacheBackend::Handle FakeUrlCacheBackend::FindFirstUrlCacheGroup(GroupId& group) {
    calls << QStringLiteral("FindFirstGroup");
    if (groupFunctionsMissing) {
        m_lastError = kFunctionMissing;
        return 0;
    }
    if (firstGroupError || groups.isEmpty()) {
        m_lastError = firstGroupError ? firstGroupError : kNoMoreGroups;
        return 0;
    }
    group = groups.first();
    m_nextGroup = 1;
    m_lastError = 0;
    return 10;
}

bool FakeUrlCacheBackend::DeleteUrlCacheGroup(GroupId group, quint32 flags) {
    calls << QStringLiteral("DeleteGroup:%1/%2").arg(group).arg(flags);
    if (groupFunctionsMissing) {
        m_lastError = kFunctionMissing;
        return false;
    }
    groups.removeOne(group);
    m_lastError = 0;
    return true;
}

bool FakeUrlCacheBackend::FindNextUrlCacheGroup(Handle, GroupId& group, quint32& bufferSize) {
    calls << QStringLiteral("FindNextGroup:%1").arg(bufferSize);
    if (groupStepError) {
        m_lastError = groupStepError;
        return false;
    }
    // Deleted groups have gone from the list; the next one is now at the front.
    if (groups.isEmpty()) {
        m_lastError = kNoMoreGroups;
        return false;
    }
    group = groups.first();
    m_lastError = 0;
    return true;
}

UrlCacheBackend::Handle FakeUrlCacheBackend::FindFirstUrlCacheEntry(EntryRecord& record,
                                                                    quint32& bufferSize) {
    calls << QStringLiteral("FindFirstEntry:%1").arg(bufferSize);
    m_snapshot = entries;
    m_nextEntry = 0;
    if (firstEntryError) {
        m_lastError = firstEntryError;
        return 0;
    }
    if (m_snapshot.isEmpty()) {
        m_lastError = kNoMoreEntries;
        return 0;
    }
    const quint32 needed = recordSize(m_snapshot.first());
    if (needed > bufferSize) {
        bufferSize = needed;
        m_lastError = kInsufficientBuffer;
        return 0;
    }
    record.sourceUrlName = m_snapshot.first();
    m_nextEntry = 1;
    m_lastError = 0;
    return 20;
}

bool FakeUrlCacheBackend::DeleteUrlCacheEntry(const QByteArray& sourceUrlName) {
    calls << QStringLiteral("DeleteEntry:") + QString::fromLatin1(sourceUrlName.left(40));
    if (undeletable.contains(sourceUrlName)) {
        m_lastError = 32; // in use
        return false;
    }
    if (!entries.removeOne(sourceUrlName)) {
        m_lastError = 2; // not found
        return false;
    }
    m_lastError = 0;
    return true;
}

bool FakeUrlCacheBackend::FindNextUrlCacheEntry(Handle, EntryRecord& record, quint32& bufferSize) {
    calls << QStringLiteral("FindNextEntry:%1").arg(bufferSize);
    if (m_nextEntry >= m_snapshot.size()) {
        m_lastError = kNoMoreEntries;
        return false;
    }
    if (entryStepError) {
        m_lastError = entryStepError;
        return false;
    }
    const quint32 needed = recordSize(m_snapshot.at(m_nextEntry));
    if (needed > bufferSize) {
        bufferSize = needed;
        m_lastError = kInsufficientBuffer;
        return false;
    }
    record.sourceUrlName = m_snapshot.at(m_nextEntry++);
    m_lastError = 0;
    return true;
}

void FakeUrlCacheBackend::FindCloseUrlCache(Handle handle) {
    calls << QStringLiteral("Close:%1").arg(handle);
}
