#include "platform/StyleSheetSkinEngine.h"

#include <QWidget>

namespace {

TEST(SkinFile, OnlyStyleSheetsAreLoaded) {
    const QList<QPair<QByteArray, bool>> rows = {
        {"QMenu { color: #000; }", true},
        {"\xEF\xBB\xBFQMenu { color: red; }", true},
        {"/* { */ QLabel { qproperty-text: \"}\"; }", true},
        {readFileBytes(TARNVALE_SOURCE_DIR "/assets/skin.skn"), true},
        {QByteArray("\x00\x01\x02garbage\xFF", 11), false},
        {"QMenu { color: \xC0\xC1; }", false},
        {"QMenu { } }", false},
        {QByteArray(StyleSheetSkinEngine::kMaxFileSize + 1, ' '), false}};
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/skin.skn");
    for (const auto& [bytes, accepted] : rows) {
        ASSERT_TRUE(writeFileBytes(path, bytes));
        EXPECT_EQ(StyleSheetSkinEngine::readSkinFile(path).has_value(), accepted)
            << bytes.left(40).toStdString();
    }
    EXPECT_FALSE(StyleSheetSkinEngine::readSkinFile(folder.path() + "/none.skn").has_value());
    QDir(folder.path()).mkdir(QStringLiteral("dir.skn"));
    EXPECT_FALSE(StyleSheetSkinEngine::readSkinFile(folder.path() + "/dir.skn").has_value());
}

TEST(StyleSheetSkinEngine, ABrokenFileAfterAGoodOneAppliesNothing) {
    QTemporaryDir folder;
    ASSERT_TRUE(writeFileBytes(folder.path() + "/good.skn", "QWidget { color: red; }"));
    StyleSheetSkinEngine engine;
    QWidget first;
    QWidget second;
    second.setStyleSheet(QStringLiteral("QWidget { color: blue; }"));
    engine.LoadSkin(folder.path() + "/good.skn");
    engine.ApplySkin(&first);
    EXPECT_EQ(first.styleSheet(), QStringLiteral("QWidget { color: red; }"));
    engine.LoadSkin(folder.path() + QStringLiteral("/missing.skn"));
    EXPECT_FALSE(engine.isLoaded());
    engine.ApplySkin(&second);
    EXPECT_EQ(second.styleSheet(), QStringLiteral("QWidget { color: blue; }"));
}

} // namespace
