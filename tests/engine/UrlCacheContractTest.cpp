// The URL cache calls against the fake the tools tests use and the back end over the engine:
// both enumerate, grow the buffer and delete alike.
#include "tests/engine/EngineFixture.h"

#include "engine/EngineUrlCacheBackend.h"
#include "platform/AddressText.h"
#include "platform/testing/FakeUrlCacheBackend.h"

namespace {

const QStringList kVisited = {"http://a.example/", "http://b.example/K%C3%B6ln",
                              "http://u:pw@c.example/中文"};

// Every name, from a buffer too small for the first record on; deletes each if asked.
QList<QByteArray> enumerate(UrlCacheBackend& cache, bool deleting) {
    QList<QByteArray> names;
    UrlCacheBackend::EntryRecord record;
    quint32 size = 10;
    UrlCacheBackend::Handle handle = cache.FindFirstUrlCacheEntry(record, size);
    if (!handle && cache.lastError() == UrlCacheBackend::kInsufficientBuffer) {
        EXPECT_GT(size, 10u);
        handle = cache.FindFirstUrlCacheEntry(record, size);
        EXPECT_EQ(size, UrlCacheBackend::recordSize(record.sourceUrlName));
    }
    for (bool more = handle != 0; more; more = cache.FindNextUrlCacheEntry(handle, record, size)) {
        names << record.sourceUrlName;
        if (deleting) {
            EXPECT_TRUE(cache.DeleteUrlCacheEntry(record.sourceUrlName));
        }
        size = 4096;
    }
    EXPECT_EQ(cache.lastError(), UrlCacheBackend::kNoMoreEntries);
    cache.FindCloseUrlCache(handle);
    return names;
}

using UrlCacheContractTest = EngineFixture;

TEST_F(UrlCacheContractTest, TheFakeAndTheEngineBehaveAlike) {
    FakeUrlCacheBackend fake;
    EngineUrlCacheBackend engine(profile(), &history);
    fake.groups = {EngineUrlCacheBackend::kEngineGroup};
    // Newest first, the order in which the history hands its rows out.
    for (const QString& address : kVisited) {
        fake.entries.prepend(toGbk(storedAddress(address)));
        history.recordVisit(address, QString());
    }
    const QList<QByteArray> names = fake.entries;
    EXPECT_FALSE(names.first().contains("pw@"));
    for (UrlCacheBackend* cache :
         {static_cast<UrlCacheBackend*>(&fake), static_cast<UrlCacheBackend*>(&engine)}) {
        EXPECT_EQ(enumerate(*cache, false), fake.entries.isEmpty() ? names : fake.entries);
        EXPECT_EQ(enumerate(*cache, true).size(), 3);
        EXPECT_TRUE(enumerate(*cache, false).isEmpty());
        EXPECT_FALSE(cache->DeleteUrlCacheEntry("http://never.example/"));
        EXPECT_NE(cache->lastError(), 0u);

        UrlCacheBackend::GroupId group = 0;
        quint32 size = 0;
        const UrlCacheBackend::Handle handle = cache->FindFirstUrlCacheGroup(group);
        ASSERT_NE(handle, 0u);
        EXPECT_TRUE(cache->DeleteUrlCacheGroup(group, UrlCacheBackend::kDeleteGroupWithEntries));
        EXPECT_FALSE(cache->FindNextUrlCacheGroup(handle, group, size));
        EXPECT_EQ(cache->lastError(), UrlCacheBackend::kNoMoreGroups);
        cache->FindCloseUrlCache(handle);
    }
    EXPECT_TRUE(history.entries().isEmpty());
}

} // namespace
