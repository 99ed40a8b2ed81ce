#include "search/SearchUrl.h"
#include "core/modMain.h"

#include <gtest/gtest.h>

namespace {

struct SearchCase {
    const char* name;
    QString boxText;
    QString url;
};

class SearchUrlTest : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SearchUrlTest, KeywordBecomesOneQueryValue) {
    EXPECT_EQ(buildSearchUrl(kSearchTemplate, searchKeyword(GetParam().boxText)), GetParam().url);
}

const QString kPrefix = QStringLiteral("http://www.baidu.com/s?wd=");

INSTANTIATE_TEST_SUITE_P(
    Keywords, SearchUrlTest,
    ::testing::Values(
        SearchCase{"Plain", "abc", kPrefix + "abc&tn=mvrak_tp"},
        SearchCase{"BlanksTrimmed", "  abc  ", kPrefix + "abc&tn=mvrak_tp"},
        SearchCase{"IdeographicSpacesTrimmed", "\u3000abc\u3000", kPrefix + "abc&tn=mvrak_tp"},
        // The keyword can no longer add a parameter or rewrite the partner tag.
        SearchCase{"Ampersand", "AT&T", kPrefix + "AT%26T&tn=mvrak_tp"},
        SearchCase{"ParameterInjection", "x&tn=other", kPrefix + "x%26tn%3Dother&tn=mvrak_tp"},
        SearchCase{"Reserved", "c++ #1 100%", kPrefix + "c%2B%2B%20%231%20100%25&tn=mvrak_tp"},
        SearchCase{"Chinese", "中文", kPrefix + "%E4%B8%AD%E6%96%87&tn=mvrak_tp"},
        SearchCase{"InnerSpaceKept", "AT&T 中文",
                   kPrefix + "AT%26T%20%E4%B8%AD%E6%96%87&tn=mvrak_tp"},
        SearchCase{"PlaceholderInKeywordNotReplacedAgain", "<searchstring>",
                   kPrefix + "%3Csearchstring%3E&tn=mvrak_tp"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(SearchUrl, EveryPlaceholderOnceLeftToRight) {
    EXPECT_EQ(buildSearchUrl(QStringLiteral("a<searchstring>b<searchstring>"), "k"),
              QStringLiteral("akbk"));
    EXPECT_EQ(buildSearchUrl(QStringLiteral("<SearchString>"), "k"),
              QStringLiteral("<SearchString>"));
    EXPECT_EQ(buildSearchUrl(QStringLiteral("<searchstring<searchstring>>"), "k"),
              QStringLiteral("<searchstringk>"));
}

TEST(SearchKeyword, OnlyBlanksIsEmpty) {
    EXPECT_TRUE(searchKeyword(QStringLiteral("  \u3000 ")).isEmpty());
    EXPECT_EQ(searchKeyword(QStringLiteral("\ta\t")), QStringLiteral("\ta\t"));
}

} // namespace
