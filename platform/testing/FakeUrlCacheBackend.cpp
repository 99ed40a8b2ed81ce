#include "platform/testing/FakeUrlCacheBackend.h"

UrlCacheBackend::Handle FakeUrlCacheBackend::FindFirstUrlCacheGroup(GroupId& group) {
    if (groups.isEmpty())
        return fail(kNoMoreGroups);
    group = groups.first();
    m_lastError = 0;
    ++m_open;
    return 10;
}

bool FakeUrlCacheBackend::DeleteUrlCacheGroup(GroupId group, quint32 flags) {
    if (flags != kDeleteGroupWithEntries)
        return fail(87); // invalid parameter
    groups.removeOne(group);
    m_lastError = 0;
    return true;
}

bool FakeUrlCacheBackend::FindNextUrlCacheGroup(Handle, GroupId& group, quint32&) {
    // Deleted groups have gone from the list; the next one is now at the front.
    if (groupStepError || groups.isEmpty())
        return fail(groupStepError ? groupStepError : kNoMoreGroups);
    group = groups.first();
    m_lastError = 0;
    return true;
}

UrlCacheBackend::Handle FakeUrlCacheBackend::FindFirstUrlCacheEntry(EntryRecord& record,
                                                                    quint32& bufferSize) {
    m_snapshot = entries;
    m_nextEntry = 0;
    if (!nextEntry(record, bufferSize))
        return 0;
    ++m_open;
    return 20;
}

bool FakeUrlCacheBackend::DeleteUrlCacheEntry(const QByteArray& sourceUrlName) {
    if (undeletable.contains(sourceUrlName))
        return fail(32); // in use
    if (!entries.removeOne(sourceUrlName))
        return fail(2); // not found
    m_lastError = 0;
    return true;
}

bool FakeUrlCacheBackend::FindNextUrlCacheEntry(Handle, EntryRecord& record, quint32& bufferSize) {
    return nextEntry(record, bufferSize);
}

bool FakeUrlCacheBackend::nextEntry(EntryRecord& record, quint32& bufferSize) {
    if (m_nextEntry >= m_snapshot.size())
        return fail(kNoMoreEntries);
    const quint32 needed = recordSize(m_snapshot.at(m_nextEntry));
    if (needed > bufferSize) {
        bufferSize = needed;
        return fail(kInsufficientBuffer);
    }
    record.sourceUrlName = m_snapshot.at(m_nextEntry++);
    m_lastError = 0;
    return true;
}
