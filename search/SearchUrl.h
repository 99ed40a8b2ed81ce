#pragma once

#include <QString>

// The placeholder of the search template that the keyword replaces.
extern const QString kSearchPlaceholder;

// The keyword of a search box text: blanks (U+0020) and ideographic spaces (U+3000) trimmed
// from both ends.
QString searchKeyword(const QString& boxText);

// The template with every placeholder replaced, in one left-to-right scan, by the keyword
// percent-encoded as one query value (UTF-8): "&", "=", "#", "+", "%" and spaces stay part
// of the keyword and cannot add or change other parameters of the query.
QString buildSearchUrl(const QString& searchTemplate, const QString& keyword);
