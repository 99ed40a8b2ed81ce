#include "core/modRegedit.h"

#include "platform/GbkText.h"
#include "platform/RegistryStore.h"

#include <QtEndian>

std::optional<QString> ReadRegValue(const RegistryStore& registry, quint32 hKey,
                                    const QString& strKey, const QString& strValueName) {
    const RegQuery query = registry.query(hKey, strKey, strValueName);
    if (query.status != RegQuery::Present)
        return QString();
    const QByteArray& data = query.value.data;
    if (data.size() > kRegValueBufferSize)
        return QString();

    QByteArray buffer = data;
    buffer.append(QByteArray(kRegValueBufferSize - data.size(), '\0'));
    switch (query.value.type) {
    case 1: // REG_SZ
    case 2: // REG_EXPAND_SZ
    {
        const qsizetype end = buffer.indexOf('\0');
        if (end < 0)
            return std::nullopt;
        return fromGbk(buffer.left(end));
    }
    case 4: // REG_DWORD
        return QString::number(qFromLittleEndian<quint32>(buffer.constData()));
    default:
        return QString();
    }
}
