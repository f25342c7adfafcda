#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "store/CViewData.h"
#include "view/SearchNavigation.h"

namespace tavelo {
namespace {

// Lines of the given texts, standard length 4: the large style's upper tiers hold 2 cells.
CViewData record(const std::vector<String>& lines) {
    CViewData view;
    view.GyouArraySize(static_cast<Integer>(lines.size()));
    view.MaxBunDan(10);
    view.Plusminus1MaxLenDan(4);
    for (Integer g = 1; g <= view.GyouArraySize(); ++g) {
        const String& text = lines[static_cast<std::size_t>(g - 1)];
        const auto length = static_cast<Integer>(text.size());
        view.Bun(g, text);
        view.LenBunDan(g, length);
        view.LenBigBunDan(0, g, std::min<Integer>(length, 2));
        view.LenBigBunDan(1, g, length > 2 ? static_cast<Integer>(length - 2) : Integer{0});
    }
    return view;
}

TEST(SearchNavigationTest, markHits_marksEveryOccurrenceOnceAndCountsThem) {
    CViewData view = record({u"あああ", u"いあい"});
    EXPECT_EQ(SearchNavigation::markHits(view, u"ああ"), 1L);
    EXPECT_TRUE(view.ReversalChar(1, 1) && view.ReversalChar(1, 2) && !view.ReversalChar(1, 3));
    EXPECT_EQ(SearchNavigation::markHits(view, u"い"), 2L);
    EXPECT_TRUE(view.ReversalChar(2, 1) && view.ReversalChar(2, 3) && view.ReversalChar(1, 1));
    EXPECT_EQ(SearchNavigation::markHits(view, String()), 0L);
}

TEST(SearchNavigationTest, smallStyle_stopsAtEveryLineHoldingAHit) {
    CViewData view = record({u"猫", u"犬", u"猫猫", u"鳥"});
    SearchNavigation::markHits(view, u"猫");
    EXPECT_EQ(SearchNavigation::hitPositions(view, 0), (std::vector<Integer>{0, 2}));
}

TEST(SearchNavigationTest, largeStyle_stopsAtTheTierHoldingTheHit) {
    CViewData view = record({u"猫犬犬", u"犬犬猫", u"犬"});
    SearchNavigation::markHits(view, u"猫");
    // Line 1 has its hit in the upper tier (position 0), line 2 in the lower (position 3).
    EXPECT_EQ(SearchNavigation::hitPositions(view, 1), (std::vector<Integer>{0, 3}));
}

TEST(SearchNavigationTest, nextAndPrevious_wrapRoundTheDocument) {
    CViewData view = record({u"猫", u"犬", u"猫", u"犬", u"猫"});
    SearchNavigation::markHits(view, u"猫");
    EXPECT_EQ(SearchNavigation::next(view, 0, 0), std::optional<Integer>(2));
    EXPECT_EQ(SearchNavigation::next(view, 0, 1), std::optional<Integer>(2));
    EXPECT_EQ(SearchNavigation::next(view, 0, 4), std::optional<Integer>(0));  // round the end
    EXPECT_EQ(SearchNavigation::previous(view, 0, 4), std::optional<Integer>(2));
    EXPECT_EQ(SearchNavigation::previous(view, 0, 0), std::optional<Integer>(4));
}

TEST(SearchNavigationTest, documentWithoutHits_hasNowhereToGo) {
    CViewData view = record({u"猫", u"犬"});
    SearchNavigation::markHits(view, u"鳥");
    EXPECT_FALSE(SearchNavigation::next(view, 0, 0));
    EXPECT_FALSE(SearchNavigation::previous(view, 1, 0));
}

}  // namespace
}  // namespace tavelo
