#pragma once

#include "platform/PageView.h"

#include <QByteArray>
#include <QList>
#include <optional>

// The session file: the open windows' back and forward lists as JSON, so that a start after a
// crash can open them again. Each window has its addresses and the page view's own record of
// the list, with the Qt version that wrote it and its SHA-256: a damaged record never reaches
// the engine, and one from another Qt is left out (that window then opens its current page
// alone). The limits bound what a damaged or planted file makes the browser read; whatever the
// browser writes stays inside them.
namespace sessionFile {

constexpr qsizetype kMaxWindows = 50;
constexpr qsizetype kMaxEntries = 50; // per window
constexpr qsizetype kMaxUrlLength = 4096;
// A list with a long address (a search of a pasted page of text) takes several times the
// address in its record.
constexpr qsizetype kMaxViewState = 2 * 1024 * 1024; // per window
// encode writes the windows' states up to this many bytes in all, in their order, so that a
// file of the most windows with the longest lists still stays within kMaxFileBytes.
constexpr qsizetype kMaxViewStates = 12 * 1024 * 1024;
constexpr qint64 kMaxFileBytes = 32 * 1024 * 1024;

// $XDG_DATA_HOME/tarnvale/session.json
QString defaultPath();

// What is kept of a page's list: its http, https, ftp and file addresses and about:blank, up
// to kMaxUrlLength, at most kMaxEntries of them around the current one, and a view state up to
// kMaxViewState. Empty (current -1) when no address is left.
PageHistory keptHistory(const PageHistory& history);

QByteArray encode(const QList<PageHistory>& windows);
// The windows as encode wrote them (a view state of another Qt version left out); nothing,
// and the reason in *problem, for anything else, a list beyond the limits included.
std::optional<QList<PageHistory>> decode(const QByteArray& bytes, QString* problem);

// The windows the file holds: none when it is missing; nothing, and the reason in *problem,
// when it cannot be read or is damaged.
std::optional<QList<PageHistory>> read(const QString& path, QString* problem);
// Replaces the file in one step (0600, in a private folder), so that a crash while writing
// leaves the previous one; false when it could not.
bool write(const QString& path, const QByteArray& bytes);

} // namespace sessionFile
