#include <QTest>

#include "store/CViewData.h"
#include "view/SearchNavigation.h"

namespace tavelo {

class SearchNavigationTest : public QObject {
    Q_OBJECT

private slots:
    void markHits_marksEveryOccurrenceOnceAndCountsThem();
    void smallStyle_stopsAtEveryLineHoldingAHit();
    void largeStyle_stopsAtTheTierHoldingTheHit();
    void nextAndPrevious_wrapRoundTheDocument();
    void documentWithoutHits_hasNowhereToGo();
};

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

}  // namespace

void SearchNavigationTest::markHits_marksEveryOccurrenceOnceAndCountsThem() {
    CViewData view = record({u"あああ", u"いあい"});
    QCOMPARE(SearchNavigation::markHits(view, u"ああ"), 1L);
    QVERIFY(view.ReversalChar(1, 1) && view.ReversalChar(1, 2) && !view.ReversalChar(1, 3));
    QCOMPARE(SearchNavigation::markHits(view, u"い"), 2L);
    QVERIFY(view.ReversalChar(2, 1) && view.ReversalChar(2, 3) && view.ReversalChar(1, 1));
    QCOMPARE(SearchNavigation::markHits(view, String()), 0L);
}

void SearchNavigationTest::smallStyle_stopsAtEveryLineHoldingAHit() {
    CViewData view = record({u"猫", u"犬", u"猫猫", u"鳥"});
    SearchNavigation::markHits(view, u"猫");
    QVERIFY(SearchNavigation::hitPositions(view, 0) == (std::vector<Integer>{0, 2}));
}

void SearchNavigationTest::largeStyle_stopsAtTheTierHoldingTheHit() {
    CViewData view = record({u"猫犬犬", u"犬犬猫", u"犬"});
    SearchNavigation::markHits(view, u"猫");
    // Line 1 has its hit in the upper tier (position 0), line 2 in the lower (position 3).
    QVERIFY(SearchNavigation::hitPositions(view, 1) == (std::vector<Integer>{0, 3}));
}

void SearchNavigationTest::nextAndPrevious_wrapRoundTheDocument() {
    CViewData view = record({u"猫", u"犬", u"猫", u"犬", u"猫"});
    SearchNavigation::markHits(view, u"猫");
    QCOMPARE(SearchNavigation::next(view, 0, 0), std::optional<Integer>(2));
    QCOMPARE(SearchNavigation::next(view, 0, 1), std::optional<Integer>(2));
    QCOMPARE(SearchNavigation::next(view, 0, 4), std::optional<Integer>(0));  // round the end
    QCOMPARE(SearchNavigation::previous(view, 0, 4), std::optional<Integer>(2));
    QCOMPARE(SearchNavigation::previous(view, 0, 0), std::optional<Integer>(4));
}

void SearchNavigationTest::documentWithoutHits_hasNowhereToGo() {
    CViewData view = record({u"猫", u"犬"});
    SearchNavigation::markHits(view, u"鳥");
    QVERIFY(!SearchNavigation::next(view, 0, 0));
    QVERIFY(!SearchNavigation::previous(view, 1, 0));
}

}  // namespace tavelo

QTEST_APPLESS_MAIN(tavelo::SearchNavigationTest)
#include "SearchNavigationTest.moc"
