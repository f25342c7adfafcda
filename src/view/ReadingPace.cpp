#include "view/ReadingPace.h"

#include <cmath>

namespace tavelo {

void ReadingPace::shown(double seconds, long position) {
    if (lastTime_) {
        const double elapsed = seconds - *lastTime_;
        const long read = position - lastPosition_;
        if (elapsed > 0 && elapsed <= kPauseSeconds && read > 0 && read <= kLongestStep) {
            seconds_ += elapsed;
            characters_ += read;
        }
    }
    lastTime_ = seconds;
    lastPosition_ = position;
}

std::optional<double> ReadingPace::charactersPerMinute() const {
    if (seconds_ < kWarmUpSeconds || characters_ <= 0) return std::nullopt;
    return characters_ * 60.0 / seconds_;
}

std::optional<long> ReadingPace::secondsFor(long characters) const {
    const std::optional<double> speed = charactersPerMinute();
    if (!speed) return std::nullopt;
    if (characters <= 0) return 0L;
    return std::lround(characters * 60.0 / *speed);
}

}  // namespace tavelo
