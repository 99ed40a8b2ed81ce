#include "platform/testing/FakeRegistryStore.h"

#include "platform/GbkText.h"
#include "platform/RegFileParser.h"

void FakeRegistryStore::setString(quint32 root, const QString& keyPath, const QString& name,
                                  const QString& text) {
    setValue(root, keyPath, name, RegValue{RegType::Sz, toGbk(text) + QByteArray(1, '\0')});
}

void FakeRegistryStore::setValue(quint32 root, const QString& keyPath, const QString& name,
                                 RegValue value) {
    m_values.insert(slot(root, keyPath, name), RegQuery{RegQuery::Present, std::move(value)});
}

void FakeRegistryStore::setNotAccessible(quint32 root, const QString& keyPath,
                                         const QString& name) {
    m_values.insert(slot(root, keyPath, name), RegQuery{RegQuery::NotAccessible, {}});
}

void FakeRegistryStore::remove(quint32 root, const QString& keyPath, const QString& name) {
    m_values.remove(slot(root, keyPath, name));
}

RegQuery FakeRegistryStore::query(quint32 root, const QString& keyPath,
                                  const QString& valueName) const {
    return m_values.value(slot(root, keyPath, valueName));
}

QString FakeRegistryStore::slot(quint32 root, const QString& keyPath, const QString& name) {
    return QString::number(root) + QLatin1Char('|') + normaliseKeyPath(keyPath) + QLatin1Char('|') +
           name.toLower();
}
