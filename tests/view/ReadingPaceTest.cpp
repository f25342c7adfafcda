#include <gtest/gtest.h>

#include <vector>

#include "view/ReadingPace.h"

namespace tavelo {
namespace {

// Turns as (seconds after the last, characters forward); what counts and the speed after.
TEST(ReadingPace, CountsReadingAndLeavesPausesAndJumpsOut) {
    struct Turn {
        double after;
        long forward;
    };
    struct Case {
        const char* name;
        std::vector<Turn> turns;
        double countedSeconds;
        long countedCharacters;
        bool speedKnown;
    } cases[] = {
        {"steady", {{60, 500}, {60, 500}, {60, 500}}, 180, 1500, true},
        {"too short to tell", {{60, 500}, {60, 500}}, 120, 1000, false},
        {"a pause over two minutes counts nothing",
         {{60, 500}, {121, 500}, {60, 500}, {60, 500}},
         180, 1500, true},
        {"two minutes exactly still counts", {{120, 600}, {60, 300}}, 180, 900, true},
        {"a turn back and a jump count nothing",
         {{60, 500}, {30, -500}, {30, 50000}, {60, 400}, {60, 400}},
         180, 1300, true},
        {"nothing read", {{60, 0}, {60, 0}, {60, 0}, {60, 0}}, 0, 0, false},
    };
    for (const Case& c : cases) {
        ReadingPace pace;
        double now = 1000;
        long position = 2000;
        pace.shown(now, position);
        for (const Turn& turn : c.turns) {
            now += turn.after;
            position += turn.forward;
            pace.shown(now, position);
        }
        EXPECT_DOUBLE_EQ(pace.countedSeconds(), c.countedSeconds) << c.name;
        EXPECT_EQ(pace.countedCharacters(), c.countedCharacters) << c.name;
        ASSERT_EQ(pace.charactersPerMinute().has_value(), c.speedKnown) << c.name;
        if (!c.speedKnown) {
            EXPECT_FALSE(pace.secondsFor(1000)) << c.name;
            continue;
        }
        const double perMinute = c.countedCharacters * 60.0 / c.countedSeconds;
        EXPECT_DOUBLE_EQ(*pace.charactersPerMinute(), perMinute) << c.name;
        EXPECT_EQ(*pace.secondsFor(static_cast<long>(perMinute * 10)), 600) << c.name;
        EXPECT_EQ(*pace.secondsFor(0), 0) << c.name;
    }
}

}  // namespace
}  // namespace tavelo
