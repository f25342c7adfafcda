#pragma once

#include <optional>

namespace tavelo {

// How fast the reader reads, measured from the pages they turn, and the time left at that
// speed.
//
// Given: each page shown, with the time (seconds on a steady clock) and the characters before
// its first. A turn forward of at most kLongestStep characters after at most kPauseSeconds
// counts as reading: its time and its characters are added. A longer pause, a turn back or a
// jump counts nothing (the reader was away, or looking something up) but is the point the
// next turn is measured from. Calculated: characters per minute, once kWarmUpSeconds of
// reading have been counted (a speed measured on a page or two says little), and the seconds
// a number of characters takes at that speed.
class ReadingPace {
public:
    static constexpr double kPauseSeconds = 120;
    static constexpr double kWarmUpSeconds = 180;
    static constexpr long kLongestStep = 20000;

    void shown(double seconds, long position);
    void reset() { *this = ReadingPace(); }

    [[nodiscard]] double countedSeconds() const { return seconds_; }
    [[nodiscard]] long countedCharacters() const { return characters_; }
    [[nodiscard]] std::optional<double> charactersPerMinute() const;
    [[nodiscard]] std::optional<long> secondsFor(long characters) const;

private:
    double seconds_ = 0;
    long characters_ = 0;
    std::optional<double> lastTime_;
    long lastPosition_ = 0;
};

}  // namespace tavelo
