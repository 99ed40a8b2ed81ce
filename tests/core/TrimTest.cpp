#include "Trim.h"

#include <gtest/gtest.h>

TEST(TrimBlanks, OnlySpacesAtEitherEnd) {
    EXPECT_EQ(trimBlanks(QStringLiteral("  http://a/ b  ")), QStringLiteral("http://a/ b"));
    EXPECT_EQ(trimBlanks(QStringLiteral("\thttp://a/\t")), QStringLiteral("\thttp://a/\t"));
    EXPECT_EQ(trimBlanks(QStringLiteral("\u3000a\u3000")), QStringLiteral("\u3000a\u3000"));
    EXPECT_EQ(trimBlanks(QStringLiteral("    ")), QString());
}

TEST(TrimCharacters, StopsAtTheFirstCharacterNotListed) {
    EXPECT_EQ(trimCharacters(QStringLiteral(" \u3000关键字 \u3000"), u" \u3000"),
              QStringLiteral("关键字"));
    EXPECT_EQ(trimCharacters(QString(), u" "), QString());
}
