#pragma once

#include <QString>
#include <functional>

class BrowserOptions;
class FileChooser;
class MessageBoxes;
class ProcessLauncher;
class UrlCacheBackend;
class modFavorite;
class PageView;
class QWidget;
class RegistryStore;
class SessionKeeper;
class SkinEngine;
class UrlHistory;

// The platform services a browser window uses, chosen once in main() (real) or by a test
// (fakes). Every one is set, and they outlive every window.
struct Services {
    const RegistryStore* registry = nullptr;
    MessageBoxes* messageBoxes = nullptr;
    UrlHistory* urlHistory = nullptr;
    // The skin control of the windows and of the dialogs they skin.
    SkinEngine* skin = nullptr;
    // The favorites every window's Favorites menu shows.
    modFavorite* favorites = nullptr;
    // The browsing traces "清除历史记录" deletes.
    UrlCacheBackend* urlCache = nullptr;
    ProcessLauncher* launcher = nullptr;
    FileChooser* fileChooser = nullptr;
    // Creates the hosted page view of a window.
    std::function<PageView*(QWidget* parent)> createPageView;
    // The open windows kept for a start after a crash, and the closed ones for reopening.
    SessionKeeper* session = nullptr;
    // The person's own options (Internet 选项), shared by every window.
    BrowserOptions* options = nullptr;
    // The current user's registry file, where Internet 选项 writes the start page.
    QString userRegistryFile;
};
