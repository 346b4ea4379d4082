#include <gtest/gtest.h>

#include <tuple>

#include "charts/PageLayout.h"

using namespace bramble;

namespace {

// US Letter at 600 dpi: 8.5 x 11 inches.
PageLayout Letter600(int lineHeight) { return PageLayout::Make(600, 600, 5100, 6600, lineHeight); }

}  // namespace

TEST(PageLayout, At600DpiMarginsAre300AndTheRuleIs6Wide)
{
    const PageLayout layout = Letter600(100);
    EXPECT_EQ(layout.topMargin, 300);
    EXPECT_EQ(layout.leftMargin, 300);
    EXPECT_EQ(layout.ruleWidth, 6);
    EXPECT_EQ(layout.pageWidth, 5100);
    EXPECT_EQ(layout.pageHeight, 6600);
    EXPECT_EQ(layout.LinesPerPage(), 61);  // (6600 - 600) / 100 + 1
}

TEST(PageLayout, HeaderSitsAboveTheFirstLine)
{
    const PageLayout layout = Letter600(101);
    EXPECT_EQ(layout.TitleY(), 300 - 151);  // 3 x 101 / 2, truncated
    EXPECT_EQ(layout.RuleY(), 300 - 50);    // 101 / 2, truncated
    EXPECT_EQ(layout.RuleStartX(), 300);
    EXPECT_EQ(layout.RuleEndX(), 4800);
    EXPECT_EQ(layout.PageNumberX(42), 5100 - 300 - 42);  // ends at the right margin
    EXPECT_EQ(PageNumberText(12), "12");
}

TEST(PageLayout, MeasuresTruncate)
{
    const PageLayout layout = PageLayout::Make(599, 301, 1000, 2000, 0);
    EXPECT_EQ(layout.leftMargin, 299);
    EXPECT_EQ(layout.topMargin, 150);
    EXPECT_EQ(layout.ruleWidth, 5);
    EXPECT_EQ(layout.lineHeight, 1);  // a line always moves down
    EXPECT_EQ(PrintLineHeight(95, 12), 107);
}

TEST(PageCursor, EveryPageStartsAtTheTopMarginAndNumbersRise)
{
    const PageLayout layout = Letter600(100);
    PageCursor cursor(layout);
    EXPECT_FALSE(cursor.PageOpen());
    EXPECT_EQ(cursor.PageNumber(), 0);
    for (int line = 0; line < 3 * 61 + 1; ++line) {
        const PageCursor::Placement p = cursor.Next();
        const int onPage = line % 61;
        EXPECT_EQ(p.newPage, onPage == 0) << "line " << line;
        EXPECT_EQ(p.page, line / 61 + 1) << "line " << line;
        EXPECT_EQ(p.y, 300 + onPage * 100) << "line " << line;
    }
    EXPECT_EQ(cursor.PageNumber(), 4);
    EXPECT_TRUE(cursor.PageOpen());
}

TEST(PageCursor, TheLastLineOfAPageMayStartAtTheBottomMargin)
{
    PageCursor cursor(Letter600(100));
    PageCursor::Placement last{};
    for (int i = 0; i < 61; ++i)
        last = cursor.Next();
    EXPECT_EQ(last.y, 6600 - 300);
    EXPECT_EQ(last.page, 1);
    EXPECT_TRUE(cursor.Next().newPage);
}

class LinesPerPageMatchesTheCursor : public ::testing::TestWithParam<std::tuple<int, int, int>> { };

TEST_P(LinesPerPageMatchesTheCursor, ForThisPage)
{
    const auto [dpi, height, lineHeight] = GetParam();
    const PageLayout layout = PageLayout::Make(dpi, dpi, 1000, height, lineHeight);
    PageCursor cursor(layout);
    int onFirstPage = 0;
    while (cursor.Next().page == 1)
        ++onFirstPage;
    EXPECT_EQ(layout.LinesPerPage(), onFirstPage);
}

INSTANTIATE_TEST_SUITE_P(Pages, LinesPerPageMatchesTheCursor,
                         ::testing::Values(std::make_tuple(600, 6600, 100), std::make_tuple(600, 6600, 107),
                                           std::make_tuple(300, 3300, 47), std::make_tuple(72, 792, 13),
                                           std::make_tuple(600, 700, 100),  // room for one line and a bit
                                           std::make_tuple(600, 500, 100),  // margins overlap: one line a page
                                           std::make_tuple(600, 6600, 1)));
