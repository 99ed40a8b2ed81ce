#pragma once

class QWebEngineProfile;

// Makes every page from disk, in every window of the profile, unable to read a canvas back
// (see scripts/local-page-guard.js).
void installLocalPageGuard(QWebEngineProfile* profile);
