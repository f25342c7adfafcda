// The libFuzzer entry point for the window: every input is a sequence of steps (two bytes a
// step) run on a new main window, offscreen, with the window's invariants checked after each
// step (WindowSequence.h). A broken invariant, a crash or a sanitizer report stops the run and
// keeps the input. The steps run are counted and printed at exit.
#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "WindowSequence.h"

namespace {

std::unique_ptr<QApplication> application;
std::unique_ptr<tavelo::WindowSequence> sequence;

void printSteps() {
    if (sequence)
        std::fprintf(stderr, "window sequence: %llu steps run, %llu of them acted\n",
                     static_cast<unsigned long long>(sequence->stepsRun()),
                     static_cast<unsigned long long>(sequence->stepsActed()));
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    application = std::make_unique<QApplication>(*argc, *argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    sequence = std::make_unique<tavelo::WindowSequence>(QStringLiteral(TAVELO_SOURCE_DIR));
    std::atexit(printSteps);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // Long sequences add little that shorter ones do not reach, and slow every run.
    if (size > 400) return -1;
    if (const auto problem = sequence->run(data, size)) {
        std::fprintf(stderr, "window sequence broke an invariant %s\n", problem->c_str());
        std::abort();
    }
    return 0;
}
