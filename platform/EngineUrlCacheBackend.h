#pragma once

#include "UrlCacheBackend.h"

#include <QStringList>

class QWebEngineProfile;
class UrlHistory;

// The browser's traces as a URL cache: one group, the engine's HTTP disk cache together with
// its visited-link store (deleting the group clears both), and one entry per record of the
// URL history the address boxes complete from.
class EngineUrlCacheBackend final : public UrlCacheBackend {
public:
    EngineUrlCacheBackend(QWebEngineProfile* profile, UrlHistory* history);

    Handle FindFirstUrlCacheGroup(GroupId& group) override;
    bool DeleteUrlCacheGroup(GroupId group, quint32 flags) override;
    bool FindNextUrlCacheGroup(Handle handle, GroupId& group, quint32& bufferSize) override;
    Handle FindFirstUrlCacheEntry(EntryRecord& record, quint32& bufferSize) override;
    bool DeleteUrlCacheEntry(const QByteArray& sourceUrlName) override;
    bool FindNextUrlCacheEntry(Handle handle, EntryRecord& record, quint32& bufferSize) override;
    void FindCloseUrlCache(Handle handle) override;
    quint32 lastError() const override { return m_lastError; }
    void clearLastError() override { m_lastError = 0; }

    static constexpr GroupId kEngineGroup = 1;

private:
    bool handOut(EntryRecord& record, quint32& bufferSize);

    QWebEngineProfile* m_profile;
    UrlHistory* m_history;
    quint32 m_lastError = 0;
    QStringList m_entries; // snapshot of the running entry enumeration
    qsizetype m_next = 0;
    Handle m_entryHandle = 0;
    Handle m_groupHandle = 0;
};
