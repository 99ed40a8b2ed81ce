#include "browser/HandCursor.h"

#include <QBitmap>

QCursor handCursor() {
    const QBitmap bitmap(QStringLiteral(":/cursors/hand.xbm"));
    const QBitmap mask(QStringLiteral(":/cursors/hand-mask.xbm"));
    if (bitmap.isNull() || mask.isNull())
        return QCursor(Qt::PointingHandCursor);
    return QCursor(bitmap, mask, 12, 9);
}
