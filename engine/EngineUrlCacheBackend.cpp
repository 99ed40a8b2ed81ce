#include "engine/EngineUrlCacheBackend.h"

#include "platform/AddressText.h"
#include "platform/GbkText.h"
#include "platform/UrlHistory.h"

#include <QWebEngineProfile>

namespace {
constexpr quint32 kInvalidHandle = 6; // ERROR_INVALID_HANDLE
constexpr quint32 kNotFound = 2;
} // namespace

EngineUrlCacheBackend::EngineUrlCacheBackend(QWebEngineProfile* profile, UrlHistory* history)
    : m_profile(profile)
    , m_history(history) {}

UrlCacheBackend::Handle EngineUrlCacheBackend::FindFirstUrlCacheGroup(GroupId& group) {
    m_lastError = 0;
    group = kEngineGroup;
    m_groupHandle = 1;
    return m_groupHandle;
}

bool EngineUrlCacheBackend::DeleteUrlCacheGroup(GroupId group, quint32) {
    if (group != kEngineGroup || !m_profile) {
        m_lastError = kNotFound;
        return false;
    }
    m_profile->clearHttpCache();
    m_profile->clearAllVisitedLinks();
    m_lastError = 0;
    return true;
}

bool EngineUrlCacheBackend::FindNextUrlCacheGroup(Handle handle, GroupId&, quint32&) {
    m_lastError = handle == m_groupHandle && handle ? kNoMoreGroups : kInvalidHandle;
    return false; // there is only the one group
}

UrlCacheBackend::Handle EngineUrlCacheBackend::FindFirstUrlCacheEntry(EntryRecord& record,
                                                                      quint32& bufferSize) {
    m_entries.clear();
    m_records.clear();
    if (m_history) {
        for (const UrlHistoryEntry& entry : m_history->entries()) {
            const QByteArray name = toGbk(storedAddress(entry.url));
            if (!m_records.contains(name))
                m_entries << name;
            m_records[name] << entry.url;
        }
    }
    m_next = 0;
    m_entryHandle = 0;
    if (m_entries.isEmpty()) {
        m_lastError = kNoMoreEntries;
        return 0;
    }
    if (!handOut(record, bufferSize))
        return 0;
    m_entryHandle = 2;
    return m_entryHandle;
}

bool EngineUrlCacheBackend::DeleteUrlCacheEntry(const QByteArray& sourceUrlName) {
    if (!m_history || !m_records.contains(sourceUrlName)) {
        m_lastError = kNotFound;
        return false;
    }
    QStringList& records = m_records[sourceUrlName];
    while (!records.isEmpty()) {
        if (!m_history->removeUrl(records.constFirst())) {
            m_lastError = kAccessDenied;
            return false;
        }
        records.removeFirst();
    }
    m_lastError = 0;
    return true;
}

bool EngineUrlCacheBackend::FindNextUrlCacheEntry(Handle handle, EntryRecord& record,
                                                  quint32& bufferSize) {
    if (!handle || handle != m_entryHandle) {
        m_lastError = kInvalidHandle;
        return false;
    }
    return handOut(record, bufferSize);
}

void EngineUrlCacheBackend::FindCloseUrlCache(Handle handle) {
    if (handle == m_entryHandle)
        m_entryHandle = 0;
    if (handle == m_groupHandle)
        m_groupHandle = 0;
}

bool EngineUrlCacheBackend::handOut(EntryRecord& record, quint32& bufferSize) {
    if (m_next >= m_entries.size()) {
        m_lastError = kNoMoreEntries;
        return false;
    }
    const QByteArray& name = m_entries.at(m_next);
    const quint32 needed = recordSize(name);
    if (needed > bufferSize) {
        bufferSize = needed;
        m_lastError = kInsufficientBuffer;
        return false;
    }
    record.sourceUrlName = name;
    ++m_next;
    m_lastError = 0;
    return true;
}
