#pragma once

class QObject;
class QWebEngineProfile;

// The one persistent engine profile that every window's page shares: cookies, storage and
// the HTTP cache under the XDG data and cache folders of Tarnvale.
QWebEngineProfile* createSharedProfile(QObject* parent = nullptr);
