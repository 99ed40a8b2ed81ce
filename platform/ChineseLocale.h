#pragma once

// Qt's own dialogs, buttons and text-box menus, and the page engine's error pages and menus,
// speak Simplified Chinese whatever LANG says. Call once, after the application object exists
// and before the first page engine starts. False when a translation file is missing (its
// texts then stay English).
bool useChineseEverywhere();
