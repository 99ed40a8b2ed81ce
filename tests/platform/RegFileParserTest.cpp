// Registry exports as regedit writes them, from tests/data/registry.
#include "platform/RegFileParser.h"
#include "platform/RegFileStore.h"

#include <QElapsedTimer>
#include <cstdio>

namespace {

RegFileContents load(const char* name) {
    QFile file(QStringLiteral(TARNVALE_TEST_DATA "/registry/") + QLatin1String(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return parseRegFile(file.readAll());
}

QByteArray sz(const QString& text) {
    return toGbk(text) + QByteArray(1, '\0');
}

const QString kMain = QStringLiteral("Software\\Microsoft\\Internet Explorer\\Main");

TEST(RegFileParser, Regedit4FileInGbk) {
    const RegFileContents reg = load("ie-main-regedit4-gbk.reg");
    ASSERT_TRUE(reg.recognised());
    const auto* main = reg.key(RegRoot::CurrentUser, kMain);
    ASSERT_NE(main, nullptr);

    EXPECT_EQ(main->value("start page").type, RegType::Sz);
    EXPECT_EQ(main->value("start page").data, sz("http://www.例子.com/首页.html"));
    EXPECT_EQ(main->value("default_page_url").data, sz("C:\\Program Files\\首页 \"默认\".htm"));
    // A hex value continued over two lines.
    EXPECT_EQ(main->value("window_placement").type, RegType::Binary);
    EXPECT_EQ(main->value("window_placement").data.size(), 26);
    EXPECT_EQ(main->value("noupdatecheck").data, QByteArray("\x01\x00\x00\x00", 4));

    EXPECT_EQ(reg.key(RegRoot::LocalMachine, kMain), nullptr);
}

TEST(RegFileParser, Version5FileInUtf16) {
    const RegFileContents reg = load("ie-main-v5-utf16.reg");
    ASSERT_TRUE(reg.recognised());
    const auto* main = reg.key(RegRoot::LocalMachine, QStringLiteral("SOFTWARE\\MICROSOFT\\"
                                                                     "internet explorer\\main"));
    ASSERT_NE(main, nullptr);
    EXPECT_EQ(main->value("start page").data, sz("http://go.example.cn/起始页"));
    // String-type hex data of a version 5 file is UTF-16LE, handed out as GBK.
    EXPECT_EQ(main->value("default_page_url").type, RegType::ExpandSz);
    EXPECT_EQ(main->value("default_page_url").data, sz("%USERPROFILE%\\首页.html"));
    EXPECT_EQ(main->value("extensions").type, RegType::MultiSz);
    EXPECT_EQ(main->value("").data, sz("默认值"));
    // "[-KEY]" removes a key written earlier in the same file.
    EXPECT_EQ(reg.key(RegRoot::LocalMachine,
                      QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer\\Old")),
              nullptr);
}

TEST(RegFileParser, GarbageIsNoRegistryFile) {
    for (const QByteArray& bytes :
         {QByteArray(), QByteArray("[HKEY_CURRENT_USER\\Software]\r\n\"a\"=\"b\"\r\n"),
          QByteArray("\0\xFF\xFE\x01\x80", 5), QByteArray("\xFF\xFE\x52", 3)})
        EXPECT_FALSE(parseRegFile(bytes).recognised()) << bytes.toHex().toStdString();
}

} // namespace

namespace {
// A planted file of 100,000 keys, each deleted again by "[-key]", costs what it holds: every
// deletion once scanned every key (10^10 comparisons, minutes), at every window's start. The
// bound is a complexity guard twenty times above what the file takes here, not a speed target.
TEST(RegFileParser, DeletingKeysCostsWhatTheyRemove) {
    QByteArray text = "REGEDIT4\r\n";
    for (int i = 0; i < 100000; ++i)
        text += "[HKEY_CURRENT_USER\\K\\" + QByteArray::number(i) + "]\r\n\"v\"=\"x\"\r\n";
    for (int i = 0; i < 100000; i += 2)
        text += "[-HKEY_CURRENT_USER\\K\\" + QByteArray::number(i) + "]\r\n";
    text += "[-HKEY_CURRENT_USER\\K\\1]\r\n[HKEY_CURRENT_USER\\K\\1\\Sub]\r\n";
    QElapsedTimer timer;
    timer.start();
    const RegFileContents reg = parseRegFile(text);
    EXPECT_LT(timer.elapsed(), 30000);
    EXPECT_EQ(reg.key(RegRoot::CurrentUser, "K\\2"), nullptr);
    EXPECT_EQ(reg.key(RegRoot::CurrentUser, "K\\1"), nullptr);
    ASSERT_NE(reg.key(RegRoot::CurrentUser, "K\\1\\Sub"), nullptr);
    ASSERT_NE(reg.key(RegRoot::CurrentUser, "K\\3"), nullptr);
    EXPECT_EQ(reg.key(RegRoot::CurrentUser, "K\\3")->value("v").data, QByteArray("x\0", 2));
    // A key's deletion takes its subkeys, not its namesakes with a longer name.
    const RegFileContents nested = parseRegFile(
        "REGEDIT4\r\n[HKEY_CURRENT_USER\\A\\B]\r\n[HKEY_CURRENT_USER\\A\\BC]\r\n"
        "[HKEY_CURRENT_USER\\A]\r\n[-HKEY_CURRENT_USER\\A]\r\n[HKEY_CURRENT_USER\\AB]\r\n");
    EXPECT_EQ(nested.key(RegRoot::CurrentUser, "A\\B"), nullptr);
    EXPECT_EQ(nested.key(RegRoot::CurrentUser, "A\\BC"), nullptr);
    EXPECT_NE(nested.key(RegRoot::CurrentUser, "AB"), nullptr);
}
} // namespace

namespace {
// The store parses a file once while it stays the same, and sees every change: the same size
// written again, or another file renamed over it.
TEST(RegFileStore, SeesEveryChangeOfItsFile) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/user.reg";
    const RegFileStore store({{RegRoot::CurrentUser, path}});
    const auto startPage = [&](const QByteArray& value) {
        return "REGEDIT4\r\n[HKEY_CURRENT_USER\\" + toGbk(kMain) + "]\r\n\"Start Page\"=\"" +
               value + "\"\r\n";
    };
    const auto read = [&] {
        return store.query(RegRoot::CurrentUser, kMain, "Start Page").value.data;
    };
    ASSERT_TRUE(writeFileBytes(path, startPage("http://a/")));
    EXPECT_EQ(read(), sz("http://a/"));
    EXPECT_EQ(read(), sz("http://a/"));
    ASSERT_TRUE(writeFileBytes(path, startPage("http://b/")));
    EXPECT_EQ(read(), sz("http://b/"));
    ASSERT_TRUE(writeFileBytes(folder.path() + "/new.reg", startPage("http://c/")));
    ASSERT_TRUE(
        std::rename(QFile::encodeName(folder.path() + "/new.reg"), QFile::encodeName(path)) == 0);
    EXPECT_EQ(read(), sz("http://c/"));
}
} // namespace
