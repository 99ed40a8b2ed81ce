#pragma once

#include <QString>

class RegistryStore;

// Process-wide settings, one copy for the whole run, rewritten by every window's load.
extern QString gstrStartPage;
extern QString gstrTitleSuffix;
extern QString gstrSearchURL;

// Where a window goes when no start page can be read.
extern const QString kDefaultStartPage;
// What a blank start page is stored as: "about:blank" itself means "none of the person's own"
// in a stored value, and falls back to the machine's page or the default.
extern const QString kBlankStartPage;
// The Baidu query address; "<searchstring>" marks the keyword.
extern const QString kSearchTemplate;
extern const QString kStartPageKey;
extern const QString kStartPageValue;

// Re-reads the start page (current user, then machine-wide, then the built-in default) and
// sets the title suffix and search template. Each step is tried on its own.
void InitSettings(const RegistryStore& registry);

// The start page as InitSettings reads it; previous is kept where a value cannot be rendered.
QString ReadStartPage(const RegistryStore& registry, const QString& previous);

// Appends one entry to "KQLog.txt" in the program folder; never reports a failure.
void WriteErrorLog(const QString& strName, qint32 lngNumber, const QString& strDescription);
