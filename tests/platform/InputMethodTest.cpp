#include "platform/InputMethod.h"

TEST(InputMethod, QtsOwnSettingWinsThenGtkThenXModifiers) {
    EXPECT_EQ(inputMethodModule("ibus", "fcitx", "@im=fcitx"), QByteArray("ibus"));
    EXPECT_EQ(inputMethodModule("", "fcitx5", ""), QByteArray("fcitx"));
    EXPECT_EQ(inputMethodModule("", "xim", "@im=ibus"), QByteArray("ibus"));
    EXPECT_EQ(inputMethodModule("", "", "@im=fcitx@other"), QByteArray("fcitx"));
    EXPECT_EQ(inputMethodModule("", "", "@im=none"), QByteArray());
    EXPECT_EQ(inputMethodModule("", "", ""), QByteArray());
}
