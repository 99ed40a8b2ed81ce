// Registry exports as regedit writes them, from tests/data/registry.
#include "platform/RegFileParser.h"

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
