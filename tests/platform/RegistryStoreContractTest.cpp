// The same expectations against the in-memory fake and the .reg file store, so tests that
// use the fake rely on nothing the real store would answer differently.
#include "FakeRegistryStore.h"
#include "GbkText.h"
#include "RegFileStore.h"
#include "TestEnvironment.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

const QString kKey = QStringLiteral("SOFTWARE\\Tarnvale\\Test");

// Builds a store holding one string value "Name" = text under kKey of HKEY_CURRENT_USER.
using StoreFactory = std::function<std::unique_ptr<RegistryStore>(const QString& text)>;

struct Backend {
    const char* name;
    StoreFactory make;
};

std::unique_ptr<RegistryStore> makeFake(const QString& text) {
    auto store = std::make_unique<FakeRegistryStore>();
    store->setString(RegRoot::CurrentUser, kKey, QStringLiteral("Name"), text);
    return store;
}

std::unique_ptr<RegistryStore> makeFileStore(const QString& text) {
    static QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/user.reg");
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(toGbk(QStringLiteral("REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\") + kKey +
                     QStringLiteral("]\r\n\"Name\"=\"") + text + QStringLiteral("\"\r\n")));
    file.close();
    QHash<quint32, QString> files;
    files.insert(RegRoot::CurrentUser, path);
    return std::make_unique<RegFileStore>(files);
}

class RegistryStoreContract : public ::testing::TestWithParam<Backend> {};

TEST_P(RegistryStoreContract, PresentValueIsGbkWithItsNul) {
    const auto store = GetParam().make(QStringLiteral("首页"));
    const RegQuery q = store->query(RegRoot::CurrentUser, kKey, QStringLiteral("Name"));
    EXPECT_EQ(q.status, RegQuery::Present);
    EXPECT_EQ(q.value.type, RegType::Sz);
    EXPECT_EQ(q.value.data, toGbk(QStringLiteral("首页")) + QByteArray(1, '\0'));
}

TEST_P(RegistryStoreContract, NamesMatchCaseInsensitively) {
    const auto store = GetParam().make(QStringLiteral("x"));
    EXPECT_EQ(store->query(RegRoot::CurrentUser, kKey.toLower(), QStringLiteral("NAME")).status,
              RegQuery::Present);
}

TEST_P(RegistryStoreContract, OtherValuesKeysAndRootsAreAbsent) {
    const auto store = GetParam().make(QStringLiteral("x"));
    EXPECT_EQ(store->query(RegRoot::CurrentUser, kKey, QStringLiteral("Other")).status,
              RegQuery::Absent);
    EXPECT_EQ(
        store->query(RegRoot::CurrentUser, kKey + QStringLiteral("\\Sub"), QStringLiteral("Name"))
            .status,
        RegQuery::Absent);
    EXPECT_EQ(store->query(RegRoot::LocalMachine, kKey, QStringLiteral("Name")).status,
              RegQuery::Absent);
}

INSTANTIATE_TEST_SUITE_P(Backends, RegistryStoreContract,
                         ::testing::Values(Backend{"Fake", makeFake},
                                           Backend{"RegFiles", makeFileStore}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(RegFileStore, ReadsTheFileAgainOnEveryQuery) {
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/system.reg");
    QHash<quint32, QString> files;
    files.insert(RegRoot::LocalMachine, path);
    const RegFileStore store(files);
    EXPECT_EQ(store.query(RegRoot::LocalMachine, kKey, QStringLiteral("Name")).status,
              RegQuery::Absent);

    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("REGEDIT4\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Tarnvale\\Test]\n\"Name\"=\"v\"\n");
    file.close();
    EXPECT_EQ(store.query(RegRoot::LocalMachine, kKey, QStringLiteral("Name")).status,
              RegQuery::Present);
}

TEST(RegFileStore, AFileThatCannotBeReadIsNotAccessible) {
    QTemporaryDir folder;
    QDir(folder.path()).mkdir(QStringLiteral("user.reg"));
    QHash<quint32, QString> files;
    files.insert(RegRoot::CurrentUser, folder.path() + QStringLiteral("/user.reg"));
    const RegFileStore store(files);
    EXPECT_EQ(store.query(RegRoot::CurrentUser, kKey, QStringLiteral("Name")).status,
              RegQuery::NotAccessible);
}

TEST(RegFileStore, UsesTheXdgFoldersOfTheEnvironment) {
    const QString user =
        TestEnvironment::root() + QStringLiteral("/home/.config/tarnvale/user.reg");
    QDir().mkpath(QFileInfo(user).absolutePath());
    QFile file(user);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("REGEDIT4\n[HKEY_CURRENT_USER\\SOFTWARE\\Tarnvale\\Test]\n\"Name\"=\"v\"\n");
    file.close();
    EXPECT_EQ(RegFileStore::fromXdgFolders()
                  ->query(RegRoot::CurrentUser, kKey, QStringLiteral("Name"))
                  .status,
              RegQuery::Present);
    QFile::remove(user);
}

} // namespace
