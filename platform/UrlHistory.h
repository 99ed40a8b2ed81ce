#pragma once

#include <QDateTime>
#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

struct UrlHistoryEntry {
    QString url;
    QString title;
    QDateTime lastVisit;
    int visitCount = 0;
};

// The visited top-level addresses that address boxes complete from.
class UrlHistory : public QObject {
    Q_OBJECT
public:
    using QObject::QObject;

    // Records a visit in the stored form of the address (see storedAddress): an address visited
    // again moves to the front.
    virtual void recordVisit(const QString& url, const QString& title) = 0;
    // Most recent first, as stored (older files may hold other forms).
    virtual QStringList recentUrls(int limit) const = 0;
    virtual QList<UrlHistoryEntry> entries() const = 0;
    // Removes the row stored under exactly this text; false only when it could not be removed.
    virtual bool removeUrl(const QString& url) = 0;

Q_SIGNALS:
    // Something this process wrote; other processes' writes are seen at the next read.
    void changed();
};

// Only addresses a person would want offered again are kept.
bool isRecordableUrl(const QString& url);
