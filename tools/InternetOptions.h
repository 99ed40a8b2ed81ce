#pragma once

#include <QString>

struct ProxyOption;

// What Internet 选项 decides before it writes anything: each check gives the "提示" text for a
// choice that cannot be kept, or the empty text.

// A start page must be a web address (as a given address must be to open at start).
QString StartPageProblem(const QString& address);
// A manual proxy needs a host name or IP address (no scheme, path or blanks) and a port.
QString ProxyProblem(const ProxyOption& proxy);

// The value a start page is stored as: "about:blank" as the blank start page's own value.
QString StoredStartPage(const QString& address);

// Writes the start page into the user's registry file, as stored; the failure's text naming the
// file, or the empty text once it is written.
QString SaveStartPage(const QString& userRegistryFile, const QString& address);
