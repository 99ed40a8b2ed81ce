#pragma once

#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <list>

// The real tarnvale executable in a program folder of its own, with its own HOME and XDG
// folders, started on the test's X display.
class BrowserProcess {
public:
    BrowserProcess();
    ~BrowserProcess();

    // A test running as root starts the browser as the unprivileged "nobody" user from then
    // on, as a normal user would run it.
    void runAsNormalUser();

    void writeUserReg(const QString& startPage);
    void writeSystemReg(const QString& startPage);
    bool start(const QStringList& arguments = {});
    // One more start of the program by the same user, as a desktop's link handler does.
    QProcess& startAnother(const QStringList& arguments);
    // Waits for the program to end by itself; its exit code, or -1 when it did not end.
    int waitForExit(int timeoutMs = 20000);
    static int waitForExit(QProcess& process, int timeoutMs = 20000);
    qint64 pid() const { return m_process.processId(); }

    QString programFolder() const { return m_root.path() + QStringLiteral("/program"); }
    QString favoritesFolder() const;
    QString socketPath() const { return path("runtime/tarnvale/browser.sock"); }
    QString path(const QString& relative) const { return m_root.path() + '/' + relative; }

private:
    // Hands everything but the program folder (and the X display's key) to the browser's user.
    void prepareForUser();
    bool launch(QProcess& process, const QStringList& arguments);

    QTemporaryDir m_root;
    int m_user = -1; // the user the browser runs as; -1: the test's own
    QProcess m_process;
    std::list<QProcess> m_others;
};
