#pragma once

class QObject;
class QWebEngineProfile;
class QWebEngineSettings;

// The one persistent engine profile that every window's page shares: cookies, storage and
// the HTTP cache under the XDG data and cache folders of Tarnvale.
QWebEngineProfile* createSharedProfile(QObject* parent = nullptr);

// Page fonts that can show Chinese, from the first CJK families installed.
void applyChineseFonts(QWebEngineSettings* settings);
