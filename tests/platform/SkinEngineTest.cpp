#include "platform/StyleSheetSkinEngine.h"

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

} // namespace
