#pragma once

class QLineEdit;
class UrlHistory;

// Flags of EnableAutoComplete.
constexpr int SHACF_URLHISTORY = 0x2;

// Turns on completion for a text box. With SHACF_URLHISTORY the box suggests addresses from
// the URL history, the most recent first, matching anywhere in the address.
void EnableAutoComplete(QLineEdit* box, int dwFlags, UrlHistory* history);
