#pragma once

#include <benchmark/benchmark.h>

#include <iosfwd>
#include <map>
#include <string>

namespace tavelo::bench {

// Prints every run as the console reporter does and keeps the medians (or the single runs
// when nothing is repeated), so that a table of the figures that matter, the ratios to the
// plain drawing and the targets can follow.
class BenchSummary : public benchmark::ConsoleReporter {
public:
    struct Figure {
        double milliseconds = 0;
        std::map<std::string, double> counters;
    };

    void ReportRuns(const std::vector<Run>& runs) override;

    // `residentBytes`: the process with the largest document open and drawn.
    void print(std::ostream& out, long residentBytes) const;

private:
    [[nodiscard]] const Figure* find(const std::string& name) const;

    std::map<std::string, Figure> figures_;
};

}  // namespace tavelo::bench
