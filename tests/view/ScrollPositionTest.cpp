#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "common/RecordingMessageSink.h"
#include "support/FixedMeasuringDevice.h"
#include "reader/Tl2TestBytes.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"
#include "view/ClickZones.h"
#include "view/ColumnPager.h"
#include "view/DocumentPages.h"
#include "view/ScrollPosition.h"

namespace tavelo {
namespace {

using Zone = ClickZones::Zone;

// Pitches of a laid-out document: the small style's offsets move by two pitches a position.
constexpr Single kSmallPitch = 17.5F;
constexpr Single kLargePitch = 26.25F;

String text(const char* utf8) {
    return String(utf8, utf8 + std::char_traits<char>::length(utf8));
}

// ---- What a position shows

struct ShownCase {
    Integer lines, style, position;
    Long offsetX;
    Integer tier;
    const char* lineNumber;
    double ratio;
};

TEST(ScrollPositionTest, eachPosition_showsItsOffsetTierLineAndRatio) {
    const ShownCase cases[] = {
        // small: one position a line, two pitches apart
        {10, 0, 0, 0, 0, "1", 0},
        {10, 0, 1, 35, 0, "2", 1.0 / 9},
        {10, 0, 9, 315, 0, "10", 1},
        {1, 0, 0, 0, 0, "1", 0},
        // large: even positions upper tiers, odd ones the lower tier of the same line
        {10, 1, 0, 0, 0, "1", 0},
        {10, 1, 1, 0, 1, "1", 0},
        {10, 1, 2, 52, 0, "2", 2.0 / 19},  // 2 x 26.25 = 52.5, rounded half to even
        {10, 1, 3, 52, 1, "2", 2.0 / 19},
        {10, 1, 11, 262, 1, "6", 10.0 / 19},  // 262.5
        {10, 1, 19, 472, 1, "10", 18.0 / 19},  // 472.5
        // an empty document keeps its one position 0, with no line to show
        {0, 0, 0, 0, 0, "", 0},
        {0, 1, 0, 0, 0, "1", 0},
    };
    for (const ShownCase& c : cases) {
        const ScrollPosition positions(c.lines, c.style, kSmallPitch, kLargePitch);
        const ScrollPosition::Shown shown = positions.at(c.position);
        const std::string row = std::to_string(c.lines) + " lines, style " +
                                std::to_string(c.style) + ", position " +
                                std::to_string(c.position);
        EXPECT_EQ(shown.offsetX, c.offsetX) << row;
        EXPECT_EQ(shown.tier, c.tier) << row;
        EXPECT_EQ(shown.lineNumber, text(c.lineNumber)) << row;
        EXPECT_FLOAT_EQ(shown.valueRatio, static_cast<Single>(c.ratio)) << row;
    }
}

TEST(ScrollPositionTest, oddPosition_showsTheSameAsArrivingFromTheEvenOneBefore) {
    const ScrollPosition positions(30, 1, kSmallPitch, kLargePitch);
    for (Integer v = 1; v <= positions.last(); v += 2) {
        const auto lower = positions.at(v);
        const auto upper = positions.at(static_cast<Integer>(v - 1));
        EXPECT_EQ(lower.offsetX, upper.offsetX) << v;
        EXPECT_EQ(lower.lineNumber, upper.lineNumber) << v;
        EXPECT_EQ(lower.valueRatio, upper.valueRatio) << v;
        EXPECT_EQ(lower.tier, 1) << v;
    }
}

TEST(ScrollPositionTest, lastAndEnd_areTheLastLineOrItsLowerTierAndNeverBelowZero) {
    const struct {
        Integer lines, style, last;
    } cases[] = {{10, 0, 9}, {10, 1, 19}, {1, 0, 0}, {1, 1, 1}, {0, 0, 0}, {0, 1, 0}};
    for (const auto& c : cases) {
        const ScrollPosition positions(c.lines, c.style, kSmallPitch, kLargePitch);
        EXPECT_EQ(positions.last(), c.last) << c.lines << " " << c.style;
        EXPECT_EQ(positions.end(), c.last) << c.lines << " " << c.style;
        EXPECT_EQ(positions.clamp(-1), 0);
        EXPECT_EQ(positions.clamp(c.last + 1L), c.last);
    }
}

TEST(ScrollPositionTest, styleSwitch_keepsTheFractionAndLandsOnAnUpperTier) {
    const struct {
        Integer lines, toStyle;
        double ratio;
        Integer position;
    } cases[] = {
        {10, 1, 0, 0},         // from the beginning stays at the beginning
        {10, 1, 1, 18},        // the end of the small style: the last line's upper tier
        {10, 0, 1, 9},         // the end of the large style: the last line
        {10, 1, 5.0 / 9, 10},  // line 6 of 10: 19 x 5/9 = 10.56, rounded 11, odd → 10
        {10, 0, 10.0 / 19, 5}, // line 6 in the large style: 9 x 10/19 = 4.74 → 5
        {0, 1, 0.5, 0},        // an empty document has nowhere else to go
    };
    for (const auto& c : cases) {
        const ScrollPosition positions(c.lines, c.toStyle, kSmallPitch, kLargePitch);
        EXPECT_EQ(positions.afterStyleSwitch(static_cast<Single>(c.ratio)), c.position)
            << c.lines << " lines to style " << c.toStyle << " at " << c.ratio;
    }
}

// ---- Clicks

TEST(ClickZonesTest, zones_lieBetweenTheEighthsWithNoneOnTheBoundaries) {
    const Single w = 449;
    const struct {
        Single x;
        std::optional<Zone> zone;
    } cases[] = {
        {0, Zone::FarLeft},         {w / 8 - 0.5F, Zone::FarLeft}, {w / 8, std::nullopt},
        {w / 8 + 0.5F, Zone::Left}, {w / 2, std::nullopt},        {w / 2 + 0.5F, Zone::Right},
        {w / 8 * 7, std::nullopt},  {w / 8 * 7 + 0.5F, Zone::FarRight}, {w, Zone::FarRight},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClickZones::zoneAt(c.x, w), c.zone) << c.x;
    }
}

TEST(ClickZonesTest, clicks_stepOneOrAPageAndStopAtTheEnds) {
    const struct {
        Zone zone;
        Integer value, last, page, after;
    } cases[] = {
        {Zone::FarLeft, 0, 25, 10, 10},  {Zone::FarLeft, 15, 25, 10, 25},
        {Zone::FarLeft, 16, 25, 10, 25}, {Zone::FarLeft, 0, 25, 8, 8},
        {Zone::FarLeft, 17, 25, 8, 25},  {Zone::FarLeft, 18, 25, 8, 25},
        {Zone::FarLeft, 25, 25, 8, 25},  {Zone::FarLeft, 0, 0, 8, 0},
        {Zone::Left, 3, 25, 8, 4},       {Zone::Left, 25, 25, 8, 25},
        {Zone::Right, 3, 25, 8, 2},      {Zone::Right, 0, 25, 8, 0},
        {Zone::FarRight, 9, 25, 10, 0},  {Zone::FarRight, 10, 25, 10, 0},
        {Zone::FarRight, 11, 25, 10, 1}, {Zone::FarRight, 25, 25, 8, 17},
        {Zone::FarRight, 7, 25, 8, 0},   {Zone::FarRight, 0, 25, 1, 0},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ClickZones::positionAfterClick(c.zone, c.value, c.last, c.page), c.after)
            << static_cast<int>(c.zone) << " from " << c.value << " page " << c.page;
    }
}

// ---- Pages

struct Document {
    explicit Document(const std::string& utf8Text, Single width = 449) : device(width, 624, em) {
        loader.loadBytes(testing::sjis(utf8Text), u"a.tl2");
        view = &loader.addTo(list, u"1:00:00 a.tl2");
    }
    static Single em(Single points) { return std::round(points * 4 / 3); }
    RecordingMessageSink messages;
    FixedMeasuringDevice device;
    DocumentLoader loader{messages, device};
    CViewDataS list;
    const CViewData* view = nullptr;
};

std::string lines(int count, const std::string& line) {
    std::string text;
    for (int i = 0; i < count; ++i) text += line + "\r\n";
    return text;
}

TEST(ScrollPositionTest, pageStep_isTheWholeColumnsShownSoThatPagingSkipsNoLine) {
    for (const int width : {449, 200, 1600}) {
        for (const std::string& line : {std::string("吾輩は猫である。"),
                                        std::string("どこで生れたかとんと見当がつかぬ。何でも薄暗い")}) {
            const Document doc(lines(60, line), static_cast<Single>(width));
            for (const Integer style : {Integer{0}, Integer{1}}) {
                const auto columns = DocumentPages::columnsOf(*doc.view, style);
                const Integer step = ScrollPosition::pageStep(*doc.view, style, width);
                const long perLine = style == 1 ? 2 : 1;
                const long shown = step / perLine;
                ASSERT_GE(shown, 1);
                EXPECT_EQ(step % perLine, 0);
                // Every line of a page is shown whole; the first of the next page is not.
                for (long i = 0; i < shown; ++i) {
                    EXPECT_TRUE(ColumnPager::shownWhole(columns.at(static_cast<std::size_t>(i)),
                                                        0, width))
                        << width << " style " << style << " line " << i + 1;
                }
                if (shown < static_cast<long>(columns.size())) {
                    EXPECT_FALSE(ColumnPager::shownWhole(
                        columns.at(static_cast<std::size_t>(shown)), 0, width))
                        << width << " style " << style;
                }
            }
        }
    }
}

TEST(ScrollPositionTest, pageStep_ofAnEmptyDocumentIsOneLine) {
    const Document doc("");
    EXPECT_EQ(ScrollPosition::pageStep(*doc.view, 0, 449), 1);
    EXPECT_EQ(ScrollPosition::pageStep(*doc.view, 1, 449), 2);
}

}  // namespace
}  // namespace tavelo
