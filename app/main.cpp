#include "browser/Services.h"
#include "browser/SessionFile.h"
#include "browser/SessionKeeper.h"
#include "browser/StartAddress.h"
#include "browser/StartWindows.h"
#include "browser/frmMain.h"
#include "core/ApplicationProxy.h"
#include "core/BrowserOptions.h"
#include "core/modMain.h"
#include "engine/DownloadManager.h"
#include "engine/EngineProfile.h"
#include "engine/EngineStartup.h"
#include "engine/EngineUrlCacheBackend.h"
#include "engine/WebEnginePageView.h"
#include "favorites/QtFavoriteDialogs.h"
#include "favorites/modFavorite.h"
#include "platform/ChineseLocale.h"
#include "platform/IniProfileFile.h"
#include "platform/InputMethod.h"
#include "platform/QtFileChooser.h"
#include "platform/QtMessageBoxes.h"
#include "platform/QtPageDialogs.h"
#include "platform/QtProcessLauncher.h"
#include "platform/RegFileStore.h"
#include "platform/SingleInstance.h"
#include "platform/SqliteUrlHistory.h"
#include "platform/StyleSheetSkinEngine.h"
#include "platform/WindowsOnScreen.h"
#include "platform/XdgShellFolders.h"

#include <QApplication>
#include <QIcon>
#include <QTextStream>
#include <QWebEngineProfile>

int main(int argc, char* argv[]) {
    // Importing or exporting favorites needs no window, no display and no running browser.
    if (argc > 1 && modFavorite::isFavoritesCommand(QString::fromLocal8Bit(argv[1]))) {
        QCoreApplication app(argc, argv);
        XdgShellFolders shellFolders;
        IniProfileFile profileFile;
        QtFavoriteDialogs favoriteDialogs;
        QtMessageBoxes messageBoxes;
        modFavorite favorites(shellFolders, profileFile, favoriteDialogs, messageBoxes);
        QTextStream out(stdout);
        QTextStream err(stderr);
        return favorites.RunFavoritesCommand(QCoreApplication::arguments(), out, err);
    }
    chooseInputMethod();
    prepareEngine();
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("tarnvale"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TARNVALE_VERSION));
    QGuiApplication::setDesktopFileName(QStringLiteral("tarnvale"));
    QGuiApplication::setWindowIcon(QIcon(QStringLiteral(":/icons/tarnvale.svg")));
    useChineseEverywhere();
    WindowsOnScreen windowsOnScreen;
    app.installEventFilter(&windowsOnScreen);

    QtMessageBoxes messageBoxes;
    XdgShellFolders shellFolders;
    IniProfileFile profileFile;
    QtFavoriteDialogs favoriteDialogs;
    modFavorite favorites(shellFolders, profileFile, favoriteDialogs, messageBoxes);
    // argv as QApplication left it (without Qt's own options), in its own bytes.
    QList<QByteArray> arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QByteArray(argv[i]);
    const QString address =
        startAddress(arguments, [&favorites](const std::filesystem::path& file) {
            return favorites.ReadIniValue(QStringLiteral("InternetShortcut"), QStringLiteral("URL"),
                                          QString(), file);
        });

    // A browser already running gets the address; no second engine ever starts on the profile.
    SingleInstance instance(SingleInstance::defaultSocketPath(), SingleInstance::defaultLockPath());
    switch (instance.start(address)) {
    case SingleInstance::Role::HandedOver:
        return 0;
    case SingleInstance::Role::NotAnswering:
        messageBoxes.inform(nullptr, frmMain::kInitialCaption,
                            QStringLiteral("塔文浏览器已在运行，但没有响应。"),
                            MessageBoxes::Icon::Warning);
        return 1;
    case SingleInstance::Role::First:
        break;
    }
    if (!instance.problem().isEmpty())
        WriteErrorLog(QStringLiteral("SingleInstance"), -1, instance.problem());

    StyleSheetSkinEngine skin;
    QtPageDialogs pageDialogs;
    QtProcessLauncher launcher;
    QtFileChooser fileChooser;
    const auto registry = RegFileStore::fromXdgFolders();
    SqliteUrlHistory history(SqliteUrlHistory::defaultPath());
    BrowserOptions options;
    applyProxyOption(options.proxy());
    QWebEngineProfile* profile = createSharedProfile();
    engineStarted();
    EngineUrlCacheBackend urlCache(profile, &history);
    DownloadManager downloads(profile, &pageDialogs);
    SessionKeeper session(sessionFile::defaultPath());

    Services services;
    services.registry = registry.get();
    services.messageBoxes = &messageBoxes;
    services.urlHistory = &history;
    services.skin = &skin;
    services.favorites = &favorites;
    services.urlCache = &urlCache;
    services.launcher = &launcher;
    services.fileChooser = &fileChooser;
    services.createPageView = [profile, &history, &pageDialogs, &options](QWidget* parent) {
        return new WebEnginePageView(profile, &history, &pageDialogs, parent, &options);
    };
    services.session = &session;
    services.options = &options;
    services.userRegistryFile = RegFileStore::userFilePath();

    // Connected first: a start may hand its address over while this one still asks.
    QObject::connect(&instance, &SingleInstance::addressReceived, &app,
                     [&services](const QString& given) {
                         if (frmMain* window = frmMain::OpenNewWindow(services, given, true))
                             window->raise();
                     });
    OpenStartWindows(services, address);
    const int exitCode = app.exec();
    // No window opens any more: a start from now on waits for the lock and runs the browser.
    instance.stopListening();

    // Every page must be gone before the profile it uses.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    while (frmMain* window = frmMain::defaultWindow())
        delete window;
    delete profile;
    return exitCode;
}
