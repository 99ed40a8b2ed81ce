#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Predefined root key handles, as the registry functions number them.
namespace RegRoot {
constexpr quint32 ClassesRoot = 0x80000000u;
constexpr quint32 CurrentUser = 0x80000001u;
constexpr quint32 LocalMachine = 0x80000002u;
constexpr quint32 Users = 0x80000003u;
constexpr quint32 CurrentConfig = 0x80000005u;
} // namespace RegRoot

// Value type numbers of the registry.
namespace RegType {
constexpr quint32 None = 0;
constexpr quint32 Sz = 1;
constexpr quint32 ExpandSz = 2;
constexpr quint32 Binary = 3;
constexpr quint32 Dword = 4;
constexpr quint32 MultiSz = 7;
} // namespace RegType

// A typed value with its data as the ANSI (GBK) registry functions hand it out: string types
// hold GBK bytes with their terminating NUL.
struct RegValue {
    quint32 type = RegType::None;
    QByteArray data;
};

struct RegQuery {
    enum Status { Absent, NotAccessible, Present };
    Status status = Absent;
    RegValue value;
};

// Read-only view of registry values: for a root, a key path and a value name, the value is
// absent, not accessible, or present with its type and data. Key paths and value names match
// case-insensitively; the empty value name is the key's default value.
class RegistryStore {
public:
    virtual ~RegistryStore() = default;
    virtual RegQuery query(quint32 root, const QString& keyPath,
                           const QString& valueName) const = 0;
};
