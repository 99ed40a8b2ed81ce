#pragma once

class MessageBoxes;
class QWidget;
class UrlCacheBackend;

// Deletes every cache group with its entries, then every entry, and tells the outcome:
// "已经清除成功!" or "出错：" with the failing code. Runs to its end before returning.
void ClearUrlCache(UrlCacheBackend& cache, MessageBoxes& boxes, QWidget* owner);

// ClearUrlCache with anything that escapes it ignored.
void ClearHistory(UrlCacheBackend& cache, MessageBoxes& boxes, QWidget* owner);

// How often the group enumeration may fail to step before the run gives up: a back end
// that keeps accepting the same group while it cannot step would otherwise never end.
constexpr int kMaxGroupStepFailures = 3;
// How often a step may ask for a larger record buffer before that counts as a failure.
constexpr int kMaxBufferGrowths = 4;
