#pragma once

#include <QString>
#include <QUrl>

// The forms one address takes. The engine speaks the percent-encoded form, people read the
// decoded one, and shortcut files hold what Chinese Windows writes. Text that is no absolute
// address is left as it is.

// What every stored address is (history, URL cache entries): the engine's percent-encoded
// form (ASCII, hosts in their xn-- form) without user name and password.
QString storedAddress(const QString& address);

// What the address box shows: decoded where that keeps the address the same, no user name or
// password, the host as shownHost gives it.
QString shownAddress(const QString& address);

// A host (as QUrl::host(QUrl::FullyEncoded) gives it) as people read it: each label in Unicode
// (Chinese, Japanese, Korean, any one script, Latin with Chinese, Japanese or Korean), except
// a label that mixes other scripts, holds characters not meant for names, or could pass for
// an ASCII name (аррӏе, ɡoogle, gօօgle): that one keeps its xn-- form.
QString shownHost(const QString& aceHost);

// What a shortcut file holds: the stored form with every character GBK can hold written as it
// is (readable, as Chinese Windows writes it) and every other one percent-encoded as UTF-8, so
// that it reads back as the same page.
QString shortcutAddress(const QString& address);

// The same GBK form with the user name and password kept, for an address that is stored
// whole (the start page).
QString gbkAddress(const QString& address);

// The page an address box's text opens: "www.example.com" is http, an absolute path a file,
// "~" the home folder as in a shell, a complete URL stays as it is; the engine's own pages by
// their lower-case names ("About:Blank" is a blank page). Invalid when it names no page.
QUrl typedAddress(const QString& text);
// Whether typed text is one word with a character beyond ASCII and nothing that makes an
// address (a dot of any width, a colon, a slash, a blank): "北京". Such a word is almost never a
// host's name (a name in another script comes with its top-level domain): it is meant as a
// search.
bool isWordBeyondAscii(const QString& text);

// Whether an address the user did not type may open: http, https, ftp, file and about:blank,
// with the scheme in any letter case, as the page view would read the text.
bool isWebAddress(const QString& address);
