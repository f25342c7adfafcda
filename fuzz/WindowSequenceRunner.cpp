// Long runs of the window's sequence test: pseudo-random sequences of steps, each on a new
// main window, one after another until a number of runs or of seconds is reached, the window's
// invariants checked after every step (WindowSequence.h). libFuzzer's own target runs short
// sequences and builds a window for each; this one runs long sequences, which reach the states
// that many steps build up, at a fraction of the cost per step.
//
//   tavelo_window_sequences [--seed FIRST] [--runs N] [--seconds S] [--steps STEPS]
//
// Seeds FIRST, FIRST+1, … give the sequences (WindowSequence::randomSequence). A broken
// invariant prints its report and writes the sequence's bytes to window-sequence-SEED (an input
// of the window's fuzz target and of its regressions); the runs go on, and the status is 1 at
// the end. The runs, failures, steps and seconds are printed at the end.
#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QFile>
#include <cstdint>
#include <cstdio>

#include "WindowSequence.h"

// fontconfig keeps a process-wide cache that it never frees.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

namespace {

std::uint64_t number(const QCommandLineParser& parser, const QString& name, bool& ok) {
    bool valid = false;
    const std::uint64_t value = parser.value(name).toULongLong(&valid);
    if (!valid) {
        std::fprintf(stderr, "tavelo_window_sequences: --%s takes a whole number\n",
                     qPrintable(name));
        ok = false;
    }
    return value;
}

}  // namespace

int main(int argc, char* argv[]) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    QApplication application(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Runs pseudo-random sequences of steps on the main window."));
    parser.addHelpOption();
    parser.addOption({QStringLiteral("seed"), QStringLiteral("The first seed."),
                      QStringLiteral("FIRST"), QStringLiteral("1")});
    parser.addOption({QStringLiteral("runs"), QStringLiteral("Sequences to run (0: no limit)."),
                      QStringLiteral("N"), QStringLiteral("0")});
    parser.addOption({QStringLiteral("seconds"),
                      QStringLiteral("Start no sequence after this time (0: no limit)."),
                      QStringLiteral("S"), QStringLiteral("60")});
    parser.addOption({QStringLiteral("steps"), QStringLiteral("Steps in each sequence."),
                      QStringLiteral("STEPS"), QStringLiteral("200")});
    parser.process(application);
    bool ok = true;
    const std::uint64_t first = number(parser, QStringLiteral("seed"), ok);
    const std::uint64_t runs = number(parser, QStringLiteral("runs"), ok);
    const std::uint64_t seconds = number(parser, QStringLiteral("seconds"), ok);
    const std::uint64_t steps = number(parser, QStringLiteral("steps"), ok);
    if (!ok || steps == 0 || steps > 100000 || first > UINT32_MAX) {
        if (ok) std::fprintf(stderr, "tavelo_window_sequences: --steps is 1 to 100000, --seed "
                                     "below 2^32\n");
        return 2;
    }

    tavelo::WindowSequence sequence{QStringLiteral(TAVELO_SOURCE_DIR)};
    QElapsedTimer clock;
    clock.start();
    std::uint64_t done = 0;
    int status = 0;
    std::uint64_t failed = 0;
    for (std::uint64_t seed = first; seed <= UINT32_MAX; ++seed) {
        if (runs != 0 && done == runs) break;
        if (seconds != 0 && static_cast<std::uint64_t>(clock.elapsed()) >= seconds * 1000) break;
        const auto bytes = tavelo::WindowSequence::randomSequence(static_cast<std::uint32_t>(seed),
                                                                  static_cast<int>(steps));
        ++done;
        if (done % 100 == 0) {
            // Progress, for runs that are stopped before their end.
            std::printf("%llu runs, %llu steps, %.0f s\n", static_cast<unsigned long long>(done),
                        static_cast<unsigned long long>(sequence.stepsRun()),
                        static_cast<double>(clock.elapsed()) / 1000);
            std::fflush(stdout);
        }
        if (const auto problem = sequence.run(bytes)) {
            std::fprintf(stderr, "seed %llu: %s\n", static_cast<unsigned long long>(seed),
                         problem->c_str());
            QFile file(QStringLiteral("window-sequence-%1").arg(seed));
            if (file.open(QIODevice::WriteOnly))
                file.write(reinterpret_cast<const char*>(bytes.data()),
                           static_cast<qint64>(bytes.size()));
            std::fprintf(stderr, "the sequence's bytes are in %s\n",
                         qPrintable(file.fileName()));
            status = 1;
            ++failed;
        }
    }
    std::printf("window sequences: seeds %llu to %llu, %llu runs (%llu failed), %llu steps run, "
                "%llu of them acted, %.0f s\n",
                static_cast<unsigned long long>(first),
                static_cast<unsigned long long>(first + done - 1),
                static_cast<unsigned long long>(done), static_cast<unsigned long long>(failed),
                static_cast<unsigned long long>(sequence.stepsRun()),
                static_cast<unsigned long long>(sequence.stepsActed()),
                static_cast<double>(clock.elapsed()) / 1000);
    return status;
}
