#pragma once

#include "platform/UrlCacheBackend.h"

#include <QList>
#include <QStringList>

// A URL cache a test fills with groups and entries, and scripts failures into.
class FakeUrlCacheBackend final : public UrlCacheBackend {
public:
    Handle FindFirstUrlCacheGroup(GroupId& group) override;
    bool DeleteUrlCacheGroup(GroupId group, quint32 flags) override;
    bool FindNextUrlCacheGroup(Handle handle, GroupId& group, quint32& bufferSize) override;
    Handle FindFirstUrlCacheEntry(EntryRecord& record, quint32& bufferSize) override;
    bool DeleteUrlCacheEntry(const QByteArray& sourceUrlName) override;
    bool FindNextUrlCacheEntry(Handle handle, EntryRecord& record, quint32& bufferSize) override;
    void FindCloseUrlCache(Handle handle) override;
    quint32 lastError() const override { return m_lastError; }
    void clearLastError() override { m_lastError = 0; }

    QList<GroupId> groups;
    QList<QByteArray> entries;
    bool groupFunctionsMissing = false;
    quint32 firstGroupError = 0;   // FindFirstUrlCacheGroup fails with it
    quint32 firstEntryError = 0;   // FindFirstUrlCacheEntry fails with it
    quint32 groupStepError = 0;    // every FindNextUrlCacheGroup fails with it
    quint32 entryStepError = 0;    // FindNextUrlCacheEntry fails with it (once entries remain)
    QList<QByteArray> undeletable; // entries whose deletion fails
    QStringList calls;             // what was called, in order

private:
    quint32 m_lastError = 0;
    qsizetype m_nextGroup = 0;
    qsizetype m_nextEntry = 0;
    QList<QByteArray> m_snapshot;
};
