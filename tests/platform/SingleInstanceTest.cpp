// One browser per user and profile: the hand-over between two starts, and the starts that must
// run the browser although something is in the way. Both "processes" live in this one.
#include "platform/SingleInstance.h"
#include "tests/support/WaitUntil.h"

#include <QLocalServer>
#include <QLockFile>
#include <QThread>
#include <sys/stat.h>

namespace {

// The second start blocks until it is answered: it runs on a thread of its own while this one
// serves the first.
SingleInstance::Role startElsewhere(const QString& socket, const QString& lock,
                                    const QString& address) {
    SingleInstance::Role role = SingleInstance::Role::NotAnswering;
    std::unique_ptr<QThread> thread(QThread::create([&] {
        SingleInstance second(socket, lock);
        role = second.start(address);
    }));
    thread->start();
    EXPECT_TRUE(waitUntil([&] { return thread->isFinished(); }));
    return role;
}

// Without $XDG_RUNTIME_DIR the socket's folder lies below a cache folder that a first run has
// not made yet: the first browser never listened, every later start said it did not answer.
TEST(SingleInstanceTest, HandsOverThroughAFolderItMakesWithItsParents) {
    QTemporaryDir root;
    const QString socket = root.path() + "/cache/tarnvale/run/browser.sock";
    const QString lock = root.path() + "/data/engine.lock";
    SingleInstance first(socket, lock);
    QSignalSpy received(&first, &SingleInstance::addressReceived);
    ASSERT_EQ(first.start(QString()), SingleInstance::Role::First);
    EXPECT_EQ(startElsewhere(socket, lock, "http://b/"), SingleInstance::Role::HandedOver);
    ASSERT_TRUE(waitUntil([&] { return received.size() == 1; }));
    EXPECT_EQ(received.at(0).at(0).toString(), "http://b/");
}

// Whoever can put a socket where the browser's belongs (a runtime folder every user may write
// to) got every address the user opened.
TEST(SingleInstanceTest, WritesToNoSocketInAFolderOthersMayEnter) {
    QTemporaryDir root;
    const QString socket = root.path() + "/open/browser.sock";
    ASSERT_TRUE(QDir().mkpath(root.path() + "/open"));
    ASSERT_EQ(::chmod(QFile::encodeName(root.path() + "/open").constData(), 0755), 0);
    QLocalServer stranger;
    ASSERT_TRUE(stranger.listen(socket));
    SingleInstance start(socket, root.path() + "/engine.lock");
    EXPECT_EQ(start.start("http://secret/", 300), SingleInstance::Role::First);
    EXPECT_FALSE(stranger.waitForNewConnection(0));
}

// A lock that names no live browser, or cannot be made at all, said "not answering" for good.
TEST(SingleInstanceTest, RunsTheBrowserWhenTheLockIsStaleOrCannotBeMade) {
    QTemporaryDir root;
    const QString ownPid = root.path() + "/own.lock";
    {
        // Left by a crash in a PID namespace where the browser had the PID this process has.
        QLockFile crashed(root.path() + "/model.lock");
        ASSERT_TRUE(crashed.tryLock(0));
        ASSERT_TRUE(QFile::copy(crashed.fileName(), ownPid));
    }
    SingleInstance afterCrash(root.path() + "/a/browser.sock", ownPid);
    EXPECT_EQ(afterCrash.start(QString(), 300), SingleInstance::Role::First);
    EXPECT_EQ(afterCrash.problem(), QString());

    // A lock in a folder that cannot be made stands for a full disk or a read-only profile
    // (and holds as root, whom permissions do not stop).
    ASSERT_TRUE(writeFileBytes(root.path() + "/file", "x"));
    SingleInstance unlockable(root.path() + "/b/browser.sock", root.path() + "/file/engine.lock");
    EXPECT_EQ(unlockable.start(QString(), 300), SingleInstance::Role::First);
    EXPECT_TRUE(unlockable.problem().contains(root.path() + "/file/engine.lock"))
        << unlockable.problem().toStdString();

    // A damaged lock file that nobody holds is replaced; one a live process holds still
    // stands for a browser, whatever it says.
    const QString damaged = root.path() + "/damaged.lock";
    const QByteArray garbage(64, '\xff');
    ASSERT_TRUE(writeFileBytes(damaged, garbage));
    SingleInstance pastDamaged(root.path() + "/c/browser.sock", damaged);
    EXPECT_EQ(pastDamaged.start(QString(), 2000), SingleInstance::Role::First);
    EXPECT_EQ(pastDamaged.problem(), QString());
    EXPECT_NE(readFileBytes(damaged), garbage);
    const QString held = root.path() + "/held.lock";
    QLockFile holder(held);
    ASSERT_TRUE(holder.tryLock(0));
    ASSERT_TRUE(writeFileBytes(held, garbage));
    SingleInstance second(root.path() + "/d/browser.sock", held);
    EXPECT_EQ(second.start(QString(), 600), SingleInstance::Role::NotAnswering);
}

} // namespace
