#pragma once

#include "platform/UrlCacheBackend.h"

#include <QList>

// A URL cache a test fills with groups and entries, and scripts failures into. Calls the
// system functions would refuse (a group deleted without its entries) fail here too.
class FakeUrlCacheBackend final : public UrlCacheBackend {
public:
    Handle FindFirstUrlCacheGroup(GroupId& group) override;
    bool DeleteUrlCacheGroup(GroupId group, quint32 flags) override;
    bool FindNextUrlCacheGroup(Handle handle, GroupId& group, quint32& bufferSize) override;
    Handle FindFirstUrlCacheEntry(EntryRecord& record, quint32& bufferSize) override;
    bool DeleteUrlCacheEntry(const QByteArray& sourceUrlName) override;
    bool FindNextUrlCacheEntry(Handle handle, EntryRecord& record, quint32& bufferSize) override;
    void FindCloseUrlCache(Handle) override { --m_open; }
    quint32 lastError() const override { return m_lastError; }
    void clearLastError() override { m_lastError = 0; }
    int openEnumerations() const { return m_open; }

    QList<GroupId> groups;
    QList<QByteArray> entries;
    quint32 groupStepError = 0;    // every FindNextUrlCacheGroup fails with it
    QList<QByteArray> undeletable; // entries whose deletion fails

private:
    bool fail(quint32 code) {
        m_lastError = code;
        return false;
    }
    // Hands out the next entry of the snapshot, or asks for a larger buffer.
    bool nextEntry(EntryRecord& record, quint32& bufferSize);

    quint32 m_lastError = 0;
    int m_open = 0;
    qsizetype m_nextEntry = 0;
    QList<QByteArray> m_snapshot;
};
