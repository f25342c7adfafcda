// The libFuzzer entry point for the window: every input is a sequence of steps (two bytes a
// step) run on a new main window, offscreen, with the window's invariants checked after each
// step (WindowSequence.h). A broken invariant, a crash or a sanitizer report stops the run and
// keeps the input. The steps run are counted and printed at exit.
#include <QApplication>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "WindowSequence.h"

namespace {

// Created once and never deleted: deleting the application from an exit handler crashes
// inside Qt's own teardown.
QApplication* application = nullptr;
tavelo::WindowSequence* sequence = nullptr;

// At exit: the steps run, and the pool's folder removed.
void finish() {
    if (sequence == nullptr) return;
    std::fprintf(stderr, "window sequence: %llu steps run, %llu of them acted\n",
                 static_cast<unsigned long long>(sequence->stepsRun()),
                 static_cast<unsigned long long>(sequence->stepsActed()));
    delete sequence;
    sequence = nullptr;
}

}  // namespace

// fontconfig keeps a process-wide cache that it never frees.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_FONT_DPI", "96");
    qputenv("QT_ENABLE_HIGHDPI_SCALING", "0");
    static int argc = 1;
    static char name[] = "tavelo_fuzz_window";
    static char* argv[] = {name, nullptr};
    application = new QApplication(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    sequence = new tavelo::WindowSequence(QStringLiteral(TAVELO_SOURCE_DIR));
    std::atexit(finish);
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
