#pragma once

#include "platform/UrlCacheBackend.h"

#include <QHash>
#include <QStringList>

class QWebEngineProfile;
class UrlHistory;

// The browser's traces as a URL cache: one group, the engine's HTTP disk cache together with
// its visited-link store (deleting the group clears both), and one entry per address of the
// URL history the address boxes complete from. An entry is named by the address's stored form
// (ASCII, so its name survives the multibyte text of the calls); deleting it deletes every
// record of that address, whatever form an older history file keeps it in.
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
    static constexpr quint32 kAccessDenied = 5; // ERROR_ACCESS_DENIED: a record stays

private:
    bool handOut(EntryRecord& record, quint32& bufferSize);

    QWebEngineProfile* m_profile;
    UrlHistory* m_history;
    quint32 m_lastError = 0;
    QList<QByteArray> m_entries;              // names of the running entry enumeration
    QHash<QByteArray, QStringList> m_records; // the history records behind each name
    qsizetype m_next = 0;
    Handle m_entryHandle = 0;
    Handle m_groupHandle = 0;
};
