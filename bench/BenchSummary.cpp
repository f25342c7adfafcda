#include "BenchSummary.h"

#include <algorithm>
#include <cstdio>
#include <ostream>
#include <vector>

namespace tavelo::bench {
namespace {

// The figures the benchmarks are held to.
constexpr double kDefaultViewMs = 2.0;
constexpr double kLargeViewMs = 4.0;
constexpr double kLeastRatio = 50.0;
constexpr double kOpenMs = 10.0;
constexpr double kHeldBytes = 8.0 * 1024 * 1024;
constexpr double kResidentBytes = 80.0 * 1024 * 1024;

double toMilliseconds(double time, benchmark::TimeUnit unit) {
    switch (unit) {
        case benchmark::kNanosecond:
            return time / 1e6;
        case benchmark::kMicrosecond:
            return time / 1e3;
        case benchmark::kMillisecond:
            return time;
        case benchmark::kSecond:
            return time * 1e3;
    }
    return time;
}

std::string format(const char* pattern, double value) {
    char text[160];
    std::snprintf(text, sizeof text, pattern, value);
    return text;
}

std::string verdict(bool met) {
    return met ? "met" : "NOT MET";
}

// A target line, or a note that nothing of it ran (the benchmarks were filtered).
std::string target(const char* pattern, double value, bool measured, bool met) {
    if (measured) return format(pattern, value) + verdict(met);
    const std::string what(pattern);
    return what.substr(0, what.find(':')) + ": not measured";
}

}  // namespace

void BenchSummary::ReportRuns(const std::vector<Run>& runs) {
    ConsoleReporter::ReportRuns(runs);
    for (const Run& run : runs) {
        if (run.error_occurred) continue;
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
        if (!single && !median) continue;
        Figure figure;
        figure.milliseconds = toMilliseconds(run.GetAdjustedRealTime(), run.time_unit);
        for (const auto& [name, counter] : run.counters) figure.counters[name] = counter.value;
        figures_[run.run_name.function_name] = figure;
    }
}

const BenchSummary::Figure* BenchSummary::find(const std::string& name) const {
    const auto found = figures_.find(name);
    return found == figures_.end() ? nullptr : &found->second;
}

void BenchSummary::print(std::ostream& out, long residentBytes) const {
    out << "\nRedraw through the Change handler, median milliseconds\n";
    out << "case                                   fast   baseline     ratio  fonts  shapings\n";
    double worstDefault = -1;
    double worstLarge = -1;
    double leastRatio = -1;
    for (const auto& [name, fast] : figures_) {
        const std::string suffix = "/fast";
        if (name.rfind("Redraw/", 0) != 0 || !name.ends_with(suffix)) continue;
        const std::string label = name.substr(7, name.size() - 7 - suffix.size());
        const Figure* baseline = find(name.substr(0, name.size() - suffix.size()) + "/baseline");
        const double ratio = baseline ? baseline->milliseconds / fast.milliseconds : 0;
        out << label << std::string(label.size() < 35 ? 35 - label.size() : 1, ' ')
            << format("%8.3f", fast.milliseconds)
            << (baseline ? format("%11.1f", baseline->milliseconds) : "          -")
            << (baseline ? format("%9.0fx", ratio) : "         -")
            << format("%7.0f", fast.counters.count("fonts") ? fast.counters.at("fonts") : 0)
            << format("%10.0f", fast.counters.count("shapings") ? fast.counters.at("shapings") : 0)
            << "\n";
        if (label.find("1600x1000") != std::string::npos) {
            worstLarge = std::max(worstLarge, fast.milliseconds);
        } else {
            worstDefault = std::max(worstDefault, fast.milliseconds);
            if (baseline && (leastRatio < 0 || ratio < leastRatio)) leastRatio = ratio;
        }
    }

    out << "\nReading, layout and open, median milliseconds; bytes held per stored document\n";
    out << "document        read     layout       open       held bytes\n";
    double worstOpen = -1;
    double worstHeld = -1;
    for (const char* document : {"full", "lines", "typical"}) {
        const Figure* read = find(std::string("Read/") + document);
        const Figure* layout = find(std::string("Layout/") + document);
        const Figure* open = find(std::string("Open/") + document);
        if (!read || !layout || !open) continue;
        const double held =
            open->counters.count("held_bytes") ? open->counters.at("held_bytes") : 0;
        out << document << std::string(10 - std::string(document).size(), ' ')
            << format("%10.3f", read->milliseconds) << format("%11.3f", layout->milliseconds)
            << format("%11.3f", open->milliseconds) << format("%17.0f", held) << "\n";
        worstOpen = std::max(worstOpen, open->milliseconds);
        worstHeld = std::max(worstHeld, held);
    }

    out << "\nTargets\n";
    const auto line = [&out](const char* pattern, double value, bool measured, bool met) {
        out << target(pattern, value, measured, met) << "\n";
    };
    line("redraw, default view, slowest case: %.3f ms (at most 2): ", worstDefault,
         worstDefault >= 0, worstDefault <= kDefaultViewMs);
    line("redraw, 1600x1000 view, slowest case: %.3f ms (at most 4): ", worstLarge, worstLarge >= 0,
         worstLarge <= kLargeViewMs);
    line("baseline / fast, default view, least: %.0fx (at least 50): ", leastRatio, leastRatio >= 0,
         leastRatio >= kLeastRatio);
    line("open end to end, largest documents: %.3f ms (at most 10): ", worstOpen, worstOpen >= 0,
         worstOpen <= kOpenMs);
    line("held per stored document: %.2f MB (at most 8): ", worstHeld / 1048576, worstHeld >= 0,
         worstHeld <= kHeldBytes);
    line("resident, largest document open and drawn: %.1f MB (at most 80): ",
         static_cast<double>(residentBytes) / 1048576, residentBytes > 0,
         static_cast<double>(residentBytes) <= kResidentBytes);
}

}  // namespace tavelo::bench
