#pragma once

#include <QString>
#include <optional>

class RegistryStore;

// A registry value rendered as text, read as through a zeroed 1,024-byte buffer: strings up
// to their first NUL (environment references not expanded), a 32-bit number as unsigned
// decimal, anything else, an absent or inaccessible value, or data longer than the buffer as
// the empty text. A string that fills the whole buffer without a NUL cannot be rendered:
// the result is empty (no value) and the caller keeps what it had.
std::optional<QString> ReadRegValue(const RegistryStore& registry, quint32 hKey,
                                    const QString& strKey, const QString& strValueName);

constexpr int kRegValueBufferSize = 1024;
