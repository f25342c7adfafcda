#include <gtest/gtest.h>

#include <vector>

#include "layout/CEisuuCyotai.h"
#include "layout/ScreenFontSource.h"
#include "store/CViewData.h"
#include "support/GdiPrinters.h"
#include "support/RecordingDrawingSurface.h"
#include "view/DocumentPainter.h"

namespace tavelo {

using Call = RecordingDrawingSurface::Call;

namespace {

// A screen font list of fixed names.
class FixedFonts : public ScreenFontSource {
public:
    explicit FixedFonts(std::vector<String> names) : names_(std::move(names)) {}
    [[nodiscard]] Integer FontCount() const override { return static_cast<Integer>(names_.size()); }
    [[nodiscard]] String Fonts(Integer i) const override {
        return names_.at(static_cast<std::size_t>(i));
    }

private:
    std::vector<String> names_;
};

struct LineSpec {
    String bun;
    String rubi;
    std::vector<bool> kanjiRubi = {};
};

// A record of the given lines: line g's column at x = 400 - 40 (g - 1), characters 20 pixels
// apart from y = 20, ruby 10 pixels apart, 8 pixels right of the body; every cell "@ＭＳ 明朝".
// The large style splits at P / 2 cellCount and P ruby slotCount.
CViewData record(const std::vector<LineSpec>& lines, Integer P = 4) {
    CViewData view;
    const auto count = static_cast<Integer>(lines.size());
    view.GyouArraySize(count);
    view.MaxBunDan(10);
    view.Plusminus1MaxLenDan(P);
    for (Integer s = 0; s <= 1; ++s) {
        view.FontSizeBun(s, 15);  // 20 pixels
        view.FontSizeRubi(s, 6);  // 8 pixels
        view.CharSpace(s, 20.0f);
    }
    for (Integer g = 1; g <= count; ++g) {
        const LineSpec& line = lines[static_cast<std::size_t>(g - 1)];
        const auto cellCount = static_cast<Integer>(line.bun.size());
        const auto slotCount = static_cast<Integer>(line.rubi.size());
        view.Bun(g, line.bun);
        view.Rubi(g, line.rubi);
        view.LenBunDan(g, cellCount);
        view.LenRubiDan(g, slotCount);
        const Integer half = P / 2;
        view.LenBigBunDan(0, g, std::min(cellCount, half));
        view.LenBigBunDan(1, g,
                          cellCount > half ? static_cast<Integer>(cellCount - half) : Integer{0});
        view.LenBigRubiDan(0, g, std::min(slotCount, P));
        view.LenBigRubiDan(1, g, slotCount > P ? static_cast<Integer>(slotCount - P) : Integer{0});
        const Long x = 400 - 40 * (g - 1);
        for (Integer d = 1; d <= cellCount; ++d) {
            view.FontData(g, d, u"@ＭＳ 明朝");
            view.position(PositionTables::kSmallBunX, g, d, x);
            view.position(PositionTables::kSmallBunY, g, d, 20 * d);
            view.position(PositionTables::kBigBunX, g, d, x);
            view.position(PositionTables::kBigBunY, g, d, 1000 + 20 * d);
        }
        for (Integer d = 1; d <= slotCount; ++d) {
            const bool kanji = static_cast<std::size_t>(d) <= line.kanjiRubi.size() &&
                               line.kanjiRubi[static_cast<std::size_t>(d - 1)];
            view.IsKanjiRubi(g, d, kanji);
            view.position(PositionTables::kSmallRubiX, g, d, x + 8);
            view.position(PositionTables::kSmallRubiY, g, d, 10 + 10 * d);
            view.position(PositionTables::kBigRubiX, g, d, x + 8);
            view.position(PositionTables::kBigRubiY, g, d, 1000 + 10 * d);
        }
    }
    return view;
}

std::vector<String> texts(const RecordingDrawingSurface& surface) {
    std::vector<String> result;
    for (const auto& drawn : surface.drawnTexts()) result.push_back(drawn.text);
    return result;
}

class Painting {
public:
    explicit Painting(std::vector<String> fontNames = {u"@ＭＳ 明朝"}) {
        fonts.ScreenFont(FixedFonts(std::move(fontNames)));
    }
    RecordingDrawingSurface surface;
    CEisuuCyotai fonts;
    DocumentPainter painter{surface, fonts};
    PaintState state;
};

// ---- Body text

TEST(DocumentPainterTest, smallBun_drawsEveryCharacterVerticallyAtItsPositionPlusTheOffset) {
    Painting p;
    p.state.offsetX = 7;
    p.painter.DrawSmallBun(record({{u"吾輩", u""}, {u"猫", u""}}), p.state);
    const auto& drawn = p.surface.drawnTexts();
    ASSERT_EQ(drawn.size(), std::size_t{3});
    EXPECT_EQ(drawn[0].text, String(u"吾"));
    EXPECT_EQ(drawn[0].x, 407);
    EXPECT_EQ(drawn[0].y, 20);
    EXPECT_EQ(drawn[1].y, 40);
    EXPECT_EQ(drawn[2].x, 367);
    for (const auto& text : drawn) {
        EXPECT_EQ(text.logFont.lfHeight, -20);  // -MulDiv(15, 96, 72)
        EXPECT_EQ(text.logFont.lfEscapement, 2700);
        EXPECT_EQ(text.logFont.lfOrientation, 2700);
        EXPECT_EQ(text.logFont.lfWeight, 400);
        EXPECT_EQ(text.logFont.lfCharSet, BYTE{1});
        EXPECT_EQ(text.bytes.size(), std::size_t{2});
    }
    // One font per character, each deleted after its character.
    EXPECT_EQ(p.surface.createdFonts().size(), std::size_t{3});
    EXPECT_EQ(p.surface.liveFontCount(), 0);
    EXPECT_EQ(p.surface.selectedObject(), RecordingDrawingSurface::stockFont());
}

TEST(DocumentPainterTest, bodyFaces_comeFromTheFontLookupAndShorterNamesEndAtTheirTerminator) {
    Painting p({u"@ＭＳ 明朝", u"@Mojikyo M101"});
    CViewData view = record({{u"字字字", u""}});
    view.FontData(1, 1, u"M101");
    view.FontData(1, 2, u"0");  // no vertical font ends with it: the empty face
    p.painter.DrawSmallBun(view, p.state);
    const auto& drawn = p.surface.drawnTexts();
    ASSERT_EQ(drawn.size(), std::size_t{3});
    EXPECT_EQ(drawn[0].face, String(u"@Mojikyo M101"));
    EXPECT_EQ(drawn[1].face, String());
    EXPECT_EQ(drawn[2].face, String(u"@ＭＳ 明朝"));
}

TEST(DocumentPainterTest, lineWithoutCharacters_drawsNothing) {
    Painting p;
    p.painter.DrawSmallBun(record({{u"", u""}, {u"猫", u""}}), p.state);
    EXPECT_EQ(texts(p.surface), std::vector<String>{u"猫"});
}

TEST(DocumentPainterTest, bigBun_drawsUpperTiersOrLowerTiersFromHalfTheStandardLength) {
    Painting p;
    const CViewData view = record({{u"一二三四五", u""}, {u"六七", u""}}, 4);
    p.painter.DrawBigBun(view, 0, p.state);
    EXPECT_EQ(texts(p.surface), (std::vector<String>{u"一", u"二", u"六", u"七"}));
    p.surface.Cls();
    p.painter.DrawBigBun(view, 1, p.state);
    EXPECT_EQ(texts(p.surface), (std::vector<String>{u"三", u"四", u"五"}));
    ASSERT_EQ(p.surface.drawnTexts().size(), std::size_t{3});
    EXPECT_EQ(p.surface.drawnTexts()[0].y, 1060);  // the large style's own positions
    p.surface.Cls();
    p.painter.DrawBigBun(view, 2, p.state);
    EXPECT_TRUE(p.surface.drawnTexts().empty());

    // An odd standard length halves towards zero: 5 \ 2 + 1 = 3 as well.
    Painting odd;
    CViewData oddView = record({{u"一二三四五", u""}}, 4);
    oddView.Plusminus1MaxLenDan(5);
    odd.painter.DrawBigBun(oddView, 1, odd.state);
    ASSERT_EQ(odd.surface.drawnTexts().size(), std::size_t{3});
    EXPECT_EQ(odd.surface.drawnTexts().front().text, String(u"三"));
}

TEST(DocumentPainterTest, hitColour_onlyWhileHitsAreShown) {
    Painting p;
    CViewData view = record({{u"猫犬", u""}});
    view.ReversalChar(1, 2, true);
    p.state.hitColor = RGB(200, 0, 0);
    p.painter.DrawSmallBun(view, p.state);
    ASSERT_EQ(p.surface.drawnTexts().size(), std::size_t{2});
    EXPECT_EQ(p.surface.drawnTexts()[1].color, RGB(0, 0, 0));
    p.surface.Cls();
    p.state.isSearch = true;
    p.painter.DrawSmallBun(view, p.state);
    ASSERT_EQ(p.surface.drawnTexts().size(), std::size_t{2});
    EXPECT_EQ(p.surface.drawnTexts()[0].color, RGB(0, 0, 0));
    EXPECT_EQ(p.surface.drawnTexts()[1].color, RGB(200, 0, 0));
}

TEST(DocumentPainterTest, singleByteCharacter_isPassedWithItsTerminatorInTwoBytes) {
    Painting p;
    p.painter.DrawSmallBun(record({{u"ｱ", u""}}), p.state);
    ASSERT_EQ(p.surface.drawnTexts().size(), std::size_t{1});
    EXPECT_EQ(p.surface.drawnTexts()[0].bytes, std::string("\xB1\0", 2));
}

TEST(DocumentPainterTest, tooLongTypefaceName_drawsInTheDefaultFaceInsteadOfFailing) {
    Painting p;
    CViewData view = record({{u"字字", u""}});
    view.FontData(1, 1, String(300, u'M'));
    p.painter.DrawSmallBun(view, p.state);
    ASSERT_EQ(p.surface.drawnTexts().size(), std::size_t{2});
    EXPECT_EQ(p.surface.drawnTexts()[0].face, String());
}

// ---- Ruby

TEST(DocumentPainterTest, rubyBlanks_createNoFont) {
    Painting p;
    p.painter.DrawSmallRubi(record({{u"字字", u"　 　 "}}), p.state);
    EXPECT_TRUE(p.surface.createdFonts().empty());
    EXPECT_TRUE(p.surface.drawnTexts().empty());
    p.painter.DrawSmallRubi(record({{u"字字", u"　か"}}), p.state);
    EXPECT_EQ(p.surface.createdFonts().size(), std::size_t{1});
    ASSERT_EQ(p.surface.drawnTexts().size(), std::size_t{1});
    EXPECT_EQ(p.surface.drawnTexts()[0].face, String(u"@ＭＳ 明朝"));
    EXPECT_EQ(p.surface.drawnTexts()[0].y, 30);
}

TEST(DocumentPainterTest, kanjiRuby_isDrawnAtAQuarterMoreRoundedHalfToEven) {
    // Ruby sizes 6, 10, 7 and 8 points give kanji ruby of 8 (7.5), 12 (12.5), 9 and 10 points.
    const std::pair<Byte, int> sizes[] = {{6, 8}, {10, 12}, {7, 9}, {8, 10}};
    for (const auto& [rubi, kanji] : sizes) {
        Painting p;
        CViewData view = record({{u"字", u"か人"}});
        view.IsKanjiRubi(1, 2, true);
        view.FontSizeRubi(0, rubi);
        p.painter.DrawSmallRubi(view, p.state);
        ASSERT_EQ(p.surface.drawnTexts().size(), std::size_t{2});
        EXPECT_EQ(p.surface.drawnTexts()[0].logFont.lfHeight, -MulDiv(rubi, 96, 72));
        EXPECT_EQ(p.surface.drawnTexts()[1].logFont.lfHeight, -MulDiv(kanji, 96, 72));
    }
}

TEST(DocumentPainterTest, bigRubi_lowerTierStartsAfterTheWholeStandardLength) {
    Painting p;
    const CViewData view = record({{u"一二三", u"あいうえおか"}}, 4);
    p.painter.DrawBigRubi(view, 1, p.state);
    EXPECT_EQ(texts(p.surface), (std::vector<String>{u"お", u"か"}));
    p.surface.Cls();
    p.painter.DrawBigRubi(record({{u"一二", u"あいう"}}, 4), 1, p.state);
    EXPECT_TRUE(p.surface.drawnTexts().empty());
}

TEST(DocumentPainterTest, ruby_staysBlackBesideAHit) {
    Painting p;
    CViewData view = record({{u"猫", u"ね"}});
    view.ReversalChar(1, 1, true);
    p.state.isSearch = true;
    p.painter.DrawSmallBun(view, p.state);
    p.painter.DrawSmallRubi(view, p.state);
    ASSERT_EQ(p.surface.drawnTexts().size(), std::size_t{2});
    EXPECT_EQ(p.surface.drawnTexts()[0].color, RGB(0, 0, 255));
    EXPECT_EQ(p.surface.drawnTexts()[1].color, RGB(0, 0, 0));
}

// Swept across the view's left edge in both styles, culled or not, each line's ruby is drawn only
// while some of its body shows (the body's cell stands left of its x).
TEST(DocumentPainterTest, rubyAtTheLeftEdge_isDrawnExactlyWhileItsBodyShows) {
    const String bodies = u"一二三四五六七八九十百千";
    const String rubies = u"あいうえおかきくけこさし";
    std::vector<LineSpec> lines;
    for (std::size_t g = 0; g < bodies.size(); ++g)
        lines.push_back({String(6, bodies[g]), String(6, rubies[g])});
    const CViewData view = record(lines);
    for (Long offsetX = -460; offsetX <= 40; offsetX += 3) {
        for (Integer style = 0; style <= 1; ++style) {
            for (int width : {200, 0}) {  // a view, and every line drawn (the same must show)
                Painting p;
                p.state.offsetX = offsetX;
                p.state.viewWidth = width;
                if (style == 0) {
                    p.painter.DrawSmallBun(view, p.state);
                    p.painter.DrawSmallRubi(view, p.state);
                } else {
                    for (Integer tier = 0; tier <= 1; ++tier) {
                        p.painter.DrawBigBun(view, tier, p.state);
                        p.painter.DrawBigRubi(view, tier, p.state);
                    }
                }
                for (std::size_t g = 0; g < lines.size(); ++g) {
                    bool bodyShows = false;
                    bool rubyDrawn = false;
                    for (const auto& drawn : p.surface.drawnTexts()) {
                        bodyShows =
                            bodyShows || (drawn.text == lines[g].bun.substr(0, 1) && drawn.x > 0);
                        rubyDrawn = rubyDrawn || drawn.text == lines[g].rubi.substr(0, 1);
                    }
                    // The right edge culls body and ruby each on its own terms.
                    if (offsetX + 400 - 40 * static_cast<Long>(g) >= 100) continue;
                    EXPECT_EQ(rubyDrawn, bodyShows)
                        << "line " << g + 1 << ", style " << style << ", offset " << offsetX
                        << ", width " << width;
                }
            }
        }
    }
}

// ---- Failures and cost

TEST(DocumentPainterTest, failingGdiCalls_areRetriedAFewTimesThenTheCharacterIsSkipped) {
    Painting p;
    const CViewData view = record({{u"一二", u""}});
    p.surface.failNext(Call::CreateFontIndirectA, DocumentPainter::kTries - 1);
    p.surface.failNext(Call::TextOutA, DocumentPainter::kTries - 1);
    p.painter.DrawSmallBun(view, p.state);
    ASSERT_EQ(p.surface.drawnTexts().size(), std::size_t{2});

    Painting q;
    q.surface.failNext(Call::SelectObject, DocumentPainter::kTries);
    q.painter.DrawSmallBun(view, q.state);
    EXPECT_EQ(texts(q.surface), std::vector<String>{u"二"});  // the first is given up
    EXPECT_EQ(q.surface.liveFontCount(), 0);                  // and its font deleted
}

TEST(DocumentPainterTest, linesOutsideTheView_areSkipped) {
    Painting p;
    const std::vector<LineSpec> lines(30, LineSpec{u"字", u"じ"});
    const CViewData view = record(lines);  // columns at x = 400, 360, ..., -760
    p.state.viewWidth = 200;
    p.painter.DrawSmallBun(view, p.state);
    p.painter.DrawSmallRubi(view, p.state);
    auto drawnAt = [&](int x) {
        for (const auto& drawn : p.surface.drawnTexts())
            if (drawn.x == x) return true;
        return false;
    };
    for (int g = 1; g <= 30; ++g) {
        const int body = 400 - 40 * (g - 1);
        const int ruby = body + 8;
        // Every glyph whose em square reaches into the view is drawn, ruby beside a body
        // that shows ...
        if (body > 0 && body - 20 < 200) {
            EXPECT_TRUE(drawnAt(body)) << "line " << g;
        }
        if (body > 0 && ruby - 8 < 200) {
            EXPECT_TRUE(drawnAt(ruby)) << "line " << g;
        }
        // ... and columns far outside are not even visited.
        if (body < -100 || body - 20 > 300) {
            EXPECT_FALSE(drawnAt(body));
        }
    }
    EXPECT_TRUE(p.surface.createdFonts().size() < 30);
}

TEST(DocumentPainterTest, lineRange_drawsOnlyItsLinesInBothStyles) {
    const std::vector<LineSpec> lines(6, LineSpec{u"字字字字字字", u"じじ"});
    const CViewData view = record(lines);  // line g's body at x = 400 - 40 (g - 1)
    auto columnsDrawn = [](const RecordingDrawingSurface& surface) {
        std::vector<int> lineNumbers;
        for (const auto& drawn : surface.drawnTexts()) {
            // Ruby stands 8 pixels right of its body: round to the nearest column.
            const int g = (400 - drawn.x + 20) / 40 + 1;
            if (lineNumbers.empty() || lineNumbers.back() != g) lineNumbers.push_back(g);
        }
        return lineNumbers;
    };
    Painting small;
    small.state.firstLine = 2;
    small.state.lastLine = 4;
    small.painter.DrawSmallBun(view, small.state);
    EXPECT_EQ(columnsDrawn(small.surface), (std::vector<int>{2, 3, 4}));
    Painting large;
    large.state.firstLine = 5;
    large.painter.DrawBigBun(view, 1, large.state);
    large.painter.DrawBigRubi(view, 0, large.state);
    EXPECT_EQ(columnsDrawn(large.surface), (std::vector<int>{5, 6, 5, 6}));
}

}  // namespace
}  // namespace tavelo
