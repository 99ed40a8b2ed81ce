// Inputs the fuzzers once found failing, replayed through the same checks.
#include "tests/fuzz/FuzzAddressChecks.h"
#include "tests/fuzz/FuzzChecks.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

void replay(const char* target, bool (*check)(const QByteArray&)) {
    const QDir folder(QStringLiteral(TARNVALE_TEST_DATA "/fuzz-regressions/") + target);
    for (const QString& name : folder.entryList(QDir::Files)) {
        QFile file(folder.filePath(name));
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        EXPECT_TRUE(check(file.readAll())) << target << "/" << name.toStdString();
    }
}

TEST(FuzzRegressions, SavedInputsPass) {
    replay("reg", checkRegFile);
    replay("profile", checkProfileFile);
    replay("skin", checkSkinFile);
    replay("shortcut_address", checkShortcutAddress);
    replay("file_name", checkFileName);
    replay("command_line", checkCommandLine);
}

} // namespace
