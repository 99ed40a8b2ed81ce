#include "StartAddress.h"
#include "FavoritesFixture.h"

#include <gtest/gtest.h>

namespace {

class StartAddressTest : public ::testing::Test, public FavoritesFixture {};

TEST_F(StartAddressTest, AnAddressOrAShortcutsUrlOrNothing) {
    EXPECT_TRUE(startAddress({"tarnvale"}, favorites).isEmpty());
    EXPECT_EQ(startAddress({"tarnvale", "http://given/"}, favorites),
              QStringLiteral("http://given/"));
    shortcut("站点.URL", "http://from-shortcut/");
    EXPECT_EQ(startAddress({"tarnvale", favoritesPath() + "/站点.URL"}, favorites),
              QStringLiteral("http://from-shortcut/"));
    // A .url name that is no file is an address like any other text.
    EXPECT_EQ(startAddress({"tarnvale", "missing.url"}, favorites), QStringLiteral("missing.url"));
}

} // namespace
