#pragma once

#include "platform/RegistryStore.h"

#include <QHash>

// Registry values held in memory; every value not set is absent.
class FakeRegistryStore final : public RegistryStore {
public:
    void setString(quint32 root, const QString& keyPath, const QString& name, const QString& text);
    void setValue(quint32 root, const QString& keyPath, const QString& name, RegValue value);
    void setNotAccessible(quint32 root, const QString& keyPath, const QString& name);
    void remove(quint32 root, const QString& keyPath, const QString& name);

    RegQuery query(quint32 root, const QString& keyPath, const QString& valueName) const override;

private:
    static QString slot(quint32 root, const QString& keyPath, const QString& name);
    QHash<QString, RegQuery> m_values;
};
