#include "search/SearchUrl.h"
#include "core/modMain.h"

namespace {

TEST(SearchUrl, TheKeywordBecomesOneQueryValue) {
    const QList<QPair<QString, QString>> rows = {
        {"  abc\u3000", "abc"},
        // The keyword can no longer add a parameter or rewrite the partner tag.
        {"x&tn=other", "x%26tn%3Dother"},
        {"c++ #1 100%", "c%2B%2B%20%231%20100%25"},
        {"AT&T 中文", "AT%26T%20%E4%B8%AD%E6%96%87"},
        {"<searchstring>", "%3Csearchstring%3E"}}; // not replaced again
    for (const auto& [typed, query] : rows)
        EXPECT_EQ(buildSearchUrl(kSearchTemplate, searchKeyword(typed)),
                  "http://www.baidu.com/s?wd=" + query + "&tn=mvrak_tp");
    EXPECT_EQ(buildSearchUrl("a<searchstring>b<SearchString><searchstring<searchstring>>", "k"),
              "akb<SearchString><searchstringk>");
    EXPECT_TRUE(searchKeyword(QStringLiteral("  \u3000 ")).isEmpty());
    EXPECT_EQ(searchKeyword(QStringLiteral("\ta\t")), QStringLiteral("\ta\t"));
}

} // namespace
