// The yardstick for cold start: one QWebEngineView on the page given, its caption following
// the page title the way a Tarnvale window's does. With --persistent it keeps its data on disk
// as a browser must (Tarnvale does); otherwise it uses the engine's off-the-record default.
#include <QApplication>
#include <QWebEnginePage>
#include <QWebEngineProfile>
#include <QWebEngineView>

int main(int argc, char* argv[]) {
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QApplication app(argc, argv);
    QWebEngineProfile* profile = nullptr;
    QWebEngineView view;
    if (app.arguments().contains(QStringLiteral("--persistent"))) {
        profile = new QWebEngineProfile(QStringLiteral("minimal"));
        view.setPage(new QWebEnginePage(profile, &view));
    }
    QObject::connect(&view, &QWebEngineView::titleChanged, &view,
                     [&view](const QString& title) { view.setWindowTitle(title + " - Minimal"); });
    view.resize(839, 570);
    view.load(QUrl(app.arguments().value(1)));
    view.show();
    const int result = app.exec();
    delete view.page();
    delete profile;
    return result;
}
