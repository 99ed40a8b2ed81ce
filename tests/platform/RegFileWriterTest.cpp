// The start page written into registry exports as regedit writes them (tests/data/registry),
// every other byte kept, and read back by the reader.
#include "platform/RegFileWriter.h"
#include "platform/RegFileParser.h"

#include <QStringEncoder>
#include <csignal>
#include <sys/resource.h>

namespace {

const QString kMain = QStringLiteral("SOFTWARE\\Microsoft\\Internet Explorer\\Main");
const QString kUserMain = QStringLiteral("HKEY_CURRENT_USER\\") + kMain;

QByteArray sample(const char* name) {
    return readFileBytes(QStringLiteral(TARNVALE_TEST_DATA "/registry/") + QLatin1String(name));
}
QByteArray utf16(const QString& text) {
    return QStringEncoder(QStringEncoder::Utf16LE).encode(text);
}
QByteArray replaced(QByteArray bytes, const QByteArray& before, const QByteArray& after) {
    EXPECT_TRUE(bytes.contains(before));
    return bytes.replace(before, after);
}

TEST(RegFileWriter, OneLineChangesOrIsAdded) {
    const QByteArray gbk = sample("ie-main-regedit4-gbk.reg");
    const QByteArray v5 = sample("ie-main-v5-utf16.reg");
    const QByteArray other = "REGEDIT4\r\n\r\n[HKEY_CURRENT_USER\\Other]\r\n\"a\"=\"b\"\r\n";
    const QByteArray line = "\"Start Page\"=\"http://new.example/\"";
    const QString nonGbk = QStringLiteral("http://한국.kr/Köln?q=\U0001F600");
    const QByteArray encoded = "http://xn--3e0b707e.kr/K%C3%B6ln?q=%F0%9F%98%80";
    const struct {
        const char* name;
        QByteArray old;
        QString key, value;
        QByteArray expected;
        QByteArray read; // what the reader hands out afterwards (GBK)
    } rows[] = {
        {"Regedit4GbkKeepsEveryOtherByte", gbk, kUserMain, "http://新.例子/页",
         replaced(gbk, toGbk("\"Start Page\"=\"http://www.例子.com/首页.html\""),
                  toGbk("\"Start Page\"=\"http://新.例子/页\"")),
         toGbk("http://新.例子/页")},
        {"Version5Utf16KeepsEveryOtherByte", v5, "HKEY_LOCAL_MACHINE\\" + kMain, nonGbk,
         replaced(v5, utf16("\"Start Page\"=\"http://go.example.cn/起始页\""),
                  utf16("\"Start Page\"=\"" + encoded + "\"")),
         encoded},
        {"AddedToTheKeyWithoutIt",
         "REGEDIT4\n[" + kUserMain.toLatin1() + "]\n\"X\"=\"y\"\n\n[HKCU]", kUserMain,
         "http://new.example/",
         "REGEDIT4\n[" + kUserMain.toLatin1() + "]\n\"X\"=\"y\"\n" + line + "\n\n[HKCU]",
         "http://new.example/"},
        {"KeyAddedAtTheEnd", other, kUserMain, "http://new.example/",
         other + "\r\n[" + kUserMain.toLatin1() + "]\r\n" + line + "\r\n", "http://new.example/"},
        // The reader drops a deleted key's values: the value goes into a key after that.
        {"KeyDeletedLater",
         "REGEDIT4\r\n[HKCU\\Software]\r\n[" + kUserMain.toLatin1() +
             "]\r\n\"Start Page\"=\"old\"\r\n[-HKEY_CURRENT_USER\\software]\r\n\r\n",
         kUserMain, "http://new.example/",
         "REGEDIT4\r\n[HKCU\\Software]\r\n[" + kUserMain.toLatin1() +
             "]\r\n\"Start Page\"=\"old\"\r\n[-HKEY_CURRENT_USER\\software]\r\n\r\n[" +
             kUserMain.toLatin1() + "]\r\n" + line + "\r\n",
         "http://new.example/"},
        {"NewFile", "", kUserMain, "http://new.example/",
         "REGEDIT4\r\n\r\n[" + kUserMain.toLatin1() + "]\r\n" + line + "\r\n\r\n",
         "http://new.example/"},
        {"NewFileAddressGbkCannotHold", "", kUserMain, nonGbk,
         "REGEDIT4\r\n\r\n[" + kUserMain.toLatin1() + "]\r\n\"Start Page\"=\"" + encoded +
             "\"\r\n\r\n",
         encoded},
        {"QuotesAndBackslashesEscaped", other, kUserMain, "C:\\网页\\\"a\".htm",
         other + "\r\n[" + kUserMain.toLatin1() + "]\r\n" +
             toGbk("\"Start Page\"=\"C:\\\\网页\\\\\\\"a\\\".htm\"") + "\r\n",
         toGbk("C:\\网页\\\"a\".htm")},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const auto written = withRegString(row.old, row.key, "Start Page", row.value);
        ASSERT_TRUE(written);
        EXPECT_EQ(*written, row.expected);
        const RegFileContents read = parseRegFile(*written);
        const auto* key = read.key(*regRootFromName(row.key.section('\\', 0, 0)), kMain);
        ASSERT_NE(key, nullptr);
        EXPECT_EQ(key->value("start page").data, row.read + QByteArray(1, '\0'));
    }
}

TEST(RegFileWriter, RefusesWhatItCannotWriteSafely) {
    for (const auto& [old, value] : QList<QPair<QByteArray, QString>>{
             {"[HKEY_CURRENT_USER\\Software]\r\n\"a\"=\"b\"\r\n", "http://a/"}, // no export
             {QByteArray("\xFF\xFE\x00\xD8", 4), "http://a/"},
             {"REGEDIT4\r\n", "http://a/\r\n[HKEY_LOCAL_MACHINE\\Software]"}}) // injected key
        EXPECT_FALSE(withRegString(old, kUserMain, "Start Page", value)) << old.toStdString();
}

// On disk: only a regular registry file of a sane size is rewritten, and a write that fails
// (here: the file size limit) leaves the old file as it was.
TEST(RegFileWriter, FileOnDiskIsReplacedWholeOrNotAtAll) {
    QTemporaryDir folder;
    const QString path = folder.path() + "/tarnvale/user.reg";
    EXPECT_EQ(writeRegString(path, kUserMain, "Start Page", "http://a/"), RegWrite::Written);
    const QByteArray first = readFileBytes(path);

    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    const rlimit small{16, limit.rlim_max};
    setrlimit(RLIMIT_FSIZE, &small);
    const RegWrite tooBig = writeRegString(path, kUserMain, "Start Page", "http://b/");
    setrlimit(RLIMIT_FSIZE, &limit);
    EXPECT_EQ(tooBig, RegWrite::Unwritable);
    EXPECT_EQ(readFileBytes(path), first);

    const QString outside = folder.path() + "/outside.reg";
    ASSERT_TRUE(writeFileBytes(outside, "not a registry file"));
    const QString link = folder.path() + "/link.reg", huge = folder.path() + "/huge.reg";
    ASSERT_TRUE(QFile::link(outside, link));
    QFile big(huge);
    ASSERT_TRUE(big.open(QIODevice::WriteOnly) && big.resize(65 * 1024 * 1024));
    const QList<QPair<QString, RegWrite>> rows = {{outside, RegWrite::NotRegistryFile},
                                                  {link, RegWrite::NotAFile},
                                                  {folder.path(), RegWrite::NotAFile},
                                                  {huge, RegWrite::TooLarge}};
    for (const auto& [file, outcome] : rows)
        EXPECT_EQ(writeRegString(file, kUserMain, "Start Page", "http://a/"), outcome);
    EXPECT_EQ(readFileBytes(outside), "not a registry file");
    EXPECT_TRUE(QFileInfo(link).isSymLink());
}

} // namespace
