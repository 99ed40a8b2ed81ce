// The person's options file.
#include "core/BrowserOptions.h"

#include <QTemporaryDir>

namespace {

TEST(BrowserOptions, HostsAreKeptPrivatelyAndReadBackInOneForm) {
    QTemporaryDir root;
    const QString path = root.filePath("tarnvale/tarnvale.conf");
    {
        BrowserOptions options(path);
        options.setHostZoom(QStringLiteral("例子.中国"), 150);
        options.setHostEncoding(QStringLiteral("Example.COM"), QStringLiteral("UTF-8"));
    }
    // The hosts a person zoomed are a trace of their browsing, as the history is.
    EXPECT_EQ(fileMode(path), 0600);
    BrowserOptions options(path);
    EXPECT_EQ(options.hostZoom(QStringLiteral("xn--fsqu00a.xn--fiqs8s")), 150);
    EXPECT_EQ(options.hostEncoding(QStringLiteral("example.com")), QStringLiteral("UTF-8"));
    options.setHostZoom(QStringLiteral("例子.中国"), 0);
    EXPECT_EQ(options.hostZoom(QStringLiteral("例子.中国")), 0);
    EXPECT_EQ(fileMode(path), 0600);
}

} // namespace
