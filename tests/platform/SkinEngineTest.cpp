#include "StyleSheetSkinEngine.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QWidget>
#include <gtest/gtest.h>

namespace {

struct SkinFileCase {
    const char* name;
    QByteArray bytes;
    bool accepted;
};

class SkinFileTest : public ::testing::TestWithParam<SkinFileCase> {};

TEST_P(SkinFileTest, OnlyStyleSheetsAreLoaded) {
    QTemporaryDir folder;
    const QString path = folder.path() + QStringLiteral("/skin.skn");
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(GetParam().bytes);
    file.close();
    EXPECT_EQ(StyleSheetSkinEngine::readSkinFile(path).has_value(), GetParam().accepted);
}

INSTANTIATE_TEST_SUITE_P(
    Files, SkinFileTest,
    ::testing::Values(
        SkinFileCase{"Plain", "QMenu { color: #000; }", true}, SkinFileCase{"Empty", "", true},
        SkinFileCase{"ByteOrderMark", "\xEF\xBB\xBFQMenu { color: red; }", true},
        SkinFileCase{"CommentsAndStrings", "/* { */ QLabel { qproperty-text: \"}\"; }", true},
        SkinFileCase{"Binary", QByteArray("\x00\x01\x02garbage\xFF", 11), false},
        SkinFileCase{"NotUtf8", "QMenu { color: \xC0\xC1; }", false},
        SkinFileCase{"Unbalanced", "QMenu { color: red; ", false},
        SkinFileCase{"ClosedTooOften", "QMenu { } }", false},
        SkinFileCase{"UnterminatedComment", "QMenu { } /* ", false},
        SkinFileCase{"TooLarge", QByteArray(StyleSheetSkinEngine::kMaxFileSize + 1, ' '), false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SkinFile, MissingOrUnreadableLoadsNothing) {
    QTemporaryDir folder;
    EXPECT_FALSE(StyleSheetSkinEngine::readSkinFile(folder.path() + "/none.skn").has_value());
    QDir(folder.path()).mkdir(QStringLiteral("dir.skn"));
    EXPECT_FALSE(StyleSheetSkinEngine::readSkinFile(folder.path() + "/dir.skn").has_value());
}

TEST(SkinFile, TheShippedSkinLoads) {
    EXPECT_TRUE(StyleSheetSkinEngine::readSkinFile(TARNVALE_SOURCE_DIR "/assets/skin.skn"));
}

TEST(StyleSheetSkinEngine, ABrokenFileAfterAGoodOneAppliesNothing) {
    QTemporaryDir folder;
    const QString good = folder.path() + QStringLiteral("/good.skn");
    QFile file(good);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("QWidget { color: red; }");
    file.close();

    StyleSheetSkinEngine engine;
    QWidget first;
    QWidget second;
    second.setStyleSheet(QStringLiteral("QWidget { color: blue; }"));
    engine.LoadSkin(good);
    engine.ApplySkin(&first);
    EXPECT_EQ(first.styleSheet(), QStringLiteral("QWidget { color: red; }"));
    engine.LoadSkin(folder.path() + QStringLiteral("/missing.skn"));
    EXPECT_FALSE(engine.isLoaded());
    engine.ApplySkin(&second);
    EXPECT_EQ(second.styleSheet(), QStringLiteral("QWidget { color: blue; }"));
}

TEST(StyleSheetSkinEngine, KeepsTheDesignSettings) {
    const StyleSheetSkinEngine engine;
    const SkinSettings& settings = engine.settings();
    EXPECT_EQ(settings.backColor, QColor(0xCF, 0xE8, 0xCC));
    EXPECT_EQ(settings.panelColor, QColor(0xD8, 0xE9, 0xEC));
    EXPECT_EQ(settings.foreColor, QColor(Qt::black));
    EXPECT_EQ(settings.hue, 0);
    EXPECT_FALSE(settings.applyColors);
    EXPECT_TRUE(settings.skinClientArea);
    EXPECT_TRUE(settings.author.isEmpty() && settings.tag.isEmpty());
}

} // namespace
