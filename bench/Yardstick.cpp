// The yardstick for Tarnvale's start, new windows and memory: a main window holding one
// QWebEngineView on the page given, loaded and then shown maximised (as every Tarnvale window
// is; maximising before the first load loses the state under a window manager on Qt 6.4), its
// caption following the page title as a Tarnvale window's does. With --persistent it keeps
// its data on disk as a browser must (Tarnvale does); otherwise it uses the engine's
// off-the-record default.
#include <QApplication>
#include <QMainWindow>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QWebEngineProfile* profile = nullptr;
    QMainWindow window;
    auto* view = new QWebEngineView(&window);
    if (app.arguments().contains(QStringLiteral("--persistent"))) {
        profile = new QWebEngineProfile(QStringLiteral("yardstick"));
        view->setPage(new QWebEnginePage(profile, view));
    }
    window.setCentralWidget(view);
    QObject::connect(view, &QWebEngineView::titleChanged, &window, [&window](const QString& title) {
        window.setWindowTitle(title + " - Yardstick");
    });
    view->load(QUrl(app.arguments().value(1)));
    window.showMaximized();
    const int result = app.exec();
    delete view;
    delete profile;
    return result;
}
