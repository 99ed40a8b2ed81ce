// What the command line asks for: an address, a file (relative to the working folder) or a
// shortcut's address.
#include "StartAddress.h"

#include "TestFiles.h"

#include <QDir>
#include <QTemporaryDir>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

TEST(StartAddressTest, AnAddressAFileOrAShortcutsUrl) {
    QTemporaryDir folder;
    ASSERT_TRUE(writeFileBytes(folder.path() + "/站点.URL", "x"));
    ASSERT_TRUE(writeFileBytes(folder.path() + "/page.html", "<title>p</title>"));
    const QString before = QDir::currentPath();
    QDir::setCurrent(folder.path());
    QStringList read;
    const auto reader = [&read](const QString& path) {
        read << path;
        return QStringLiteral("http://from-shortcut/");
    };
    EXPECT_TRUE(startAddress({"tarnvale"}, reader).isEmpty());
    EXPECT_EQ(startAddress({"tarnvale", "http://given/"}, reader), "http://given/");
    EXPECT_EQ(startAddress({"tarnvale", "站点.URL"}, reader), "http://from-shortcut/");
    EXPECT_EQ(read, QStringList{folder.path() + "/站点.URL"});
    // page.html names the file here, not a host.
    EXPECT_EQ(startAddress({"tarnvale", "page.html"}, reader),
              QUrl::fromLocalFile(folder.path() + "/page.html").toString(QUrl::FullyEncoded));
    // Names that are no file stay what they are.
    EXPECT_EQ(startAddress({"tarnvale", "missing.url"}, reader), "missing.url");
    EXPECT_EQ(startAddress({"tarnvale", "javascript:alert(1)"}, reader), "javascript:alert(1)");
    QDir::setCurrent(before);
}

} // namespace
