#include "tools/modHistory.h"

#include "platform/MessageBoxes.h"
#include "platform/UrlCacheBackend.h"

#include <QString>
#include <exception>

namespace {
const QString kTitle = QStringLiteral("塔文浏览器(Tarnvale)");
constexpr quint32 kBufferSize = 2048;

void fail(MessageBoxes& boxes, QWidget* owner, const QString& prefix, quint32 code) {
    boxes.inform(owner, kTitle, prefix + QString::number(code), MessageBoxes::Icon::None);
}

// Repeats an entry step with the buffer the back end asks for while it reports 122: a
// record larger than the usual buffer must not make the traces impossible to clear.
template <typename Step> bool stepGrowingBuffer(UrlCacheBackend& cache, Step step) {
    quint32 bufferSize = kBufferSize;
    for (int attempt = 0;; ++attempt) {
        const quint32 offered = bufferSize;
        if (step(bufferSize))
            return true;
        if (cache.lastError() != UrlCacheBackend::kInsufficientBuffer ||
            attempt >= kMaxBufferGrowths || bufferSize <= offered)
            return false;
    }
}

// Returns false when the run has to stop.
bool deleteGroups(UrlCacheBackend& cache, MessageBoxes& boxes, QWidget* owner) {
    UrlCacheBackend::GroupId group = 0;
    const UrlCacheBackend::Handle handle = cache.FindFirstUrlCacheGroup(group);
    if (cache.lastError() == UrlCacheBackend::kFunctionMissing) {
        cache.clearLastError();
        return true;
    }
    if (!handle) {
        if (cache.lastError() == UrlCacheBackend::kNoMoreGroups)
            return true;
        fail(boxes, owner, QStringLiteral("出错："), cache.lastError());
        return false;
    }
    int failedSteps = 0;
    bool carryOn = true;
    while (true) {
        if (!cache.DeleteUrlCacheGroup(group, UrlCacheBackend::kDeleteGroupWithEntries)) {
            if (cache.lastError() == UrlCacheBackend::kFunctionMissing) {
                cache.clearLastError();
            } else {
                fail(boxes, owner, QStringLiteral("出错："), cache.lastError());
                carryOn = false;
                break;
            }
        }
        quint32 bufferSize = kBufferSize;
        const bool stepped = cache.FindNextUrlCacheGroup(handle, group, bufferSize);
        const quint32 code = cache.lastError();
        if (!stepped && code != UrlCacheBackend::kNoMoreGroups) {
            if (++failedSteps >= kMaxGroupStepFailures) {
                fail(boxes, owner, QStringLiteral("出错："), code);
                carryOn = false;
                break;
            }
            fail(boxes, owner, QStringLiteral("出错： "), code);
        }
        if (code == UrlCacheBackend::kNoMoreGroups)
            break;
    }
    cache.FindCloseUrlCache(handle);
    return carryOn;
}

bool deleteEntries(UrlCacheBackend& cache, MessageBoxes& boxes, QWidget* owner) {
    UrlCacheBackend::EntryRecord record;
    UrlCacheBackend::Handle handle = 0;
    stepGrowingBuffer(cache, [&](quint32& size) {
        handle = cache.FindFirstUrlCacheEntry(record, size);
        return handle != 0;
    });
    if (!handle) {
        if (cache.lastError() == UrlCacheBackend::kNoMoreEntries)
            return true;
        fail(boxes, owner, QStringLiteral("出错："), cache.lastError());
        return false;
    }
    bool carryOn = true;
    while (true) {
        // A record left behind would make the success message a lie.
        if (!cache.DeleteUrlCacheEntry(record.sourceUrlName)) {
            fail(boxes, owner, QStringLiteral("出错："), cache.lastError());
            carryOn = false;
            break;
        }
        const bool stepped = stepGrowingBuffer(cache, [&](quint32& size) {
            return cache.FindNextUrlCacheEntry(handle, record, size);
        });
        const quint32 code = cache.lastError();
        if (!stepped && code != UrlCacheBackend::kNoMoreEntries) {
            fail(boxes, owner, QStringLiteral("出错："), code);
            carryOn = false;
            break;
        }
        if (!stepped)
            break;
    }
    cache.FindCloseUrlCache(handle);
    return carryOn;
}
} // namespace

void ClearUrlCache(UrlCacheBackend& cache, MessageBoxes& boxes, QWidget* owner) {
    if (!deleteGroups(cache, boxes, owner) || !deleteEntries(cache, boxes, owner))
        return;
    boxes.inform(owner, QStringLiteral("提示"), QStringLiteral("已经清除成功!"),
                 MessageBoxes::Icon::Information);
}

void ClearHistory(UrlCacheBackend& cache, MessageBoxes& boxes, QWidget* owner) {
    try {
        ClearUrlCache(cache, boxes, owner);
    } catch (const std::exception&) {
        // Nothing the clearing raises reaches the user.
    }
}
