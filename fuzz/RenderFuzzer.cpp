// The libFuzzer entry point for the render: every input is opened as the window opens a file
// (read, laid out on the view's Qt measuring device, stored) and drawn through the view's
// drawing passes into an offscreen image of the view's size, in both styles, at the beginning
// and at the end of the document, with the hits of a search shown. A crash, an exception other
// than the program's Error or a sanitizer report stops the run and keeps the input.
#include <QGuiApplication>
#include <QImage>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "common/Error.h"
#include "common/RecordingMessageSink.h"
#include "layout/CEisuuCyotai.h"
#include "layout/DefaultViewSize.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "layout/qt/QtScreenFonts.h"
#include "shell/gdi/MFontDraw.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"
#include "view/DocumentPainter.h"
#include "view/SearchNavigation.h"

namespace {

using namespace tavelo;

// The view's drawing area, in pixels.
constexpr int kViewWidth = kDefaultViewWidth;
constexpr int kViewHeight = kDefaultViewHeight;

// What lives as long as the window: the application, the view's image and surface, and the
// painter with its resolved fonts.
struct View {
    View()
        : image(kViewWidth, kViewHeight, QImage::Format_RGB32),
          surface(image),
          device(kViewWidth, kViewHeight),
          painter(surface, fonts) {
        fonts.ScreenFont(QtScreenFonts());
    }

    QImage image;
    MFontDraw surface;
    FontMeasuringDevice device;
    CEisuuCyotai fonts;
    DocumentPainter painter;
};

// Both live until the process ends: destroying the application while exit() tears down Qt's
// own globals crashes inside Qt, so neither is ever deleted.
QGuiApplication* application = nullptr;
View* view = nullptr;

// Both styles at one scroll position (0 = the beginning, otherwise the document's last line).
void drawAt(const CViewData& record, bool atEnd, PaintState state) {
    const Integer lastLine = record.GyouArraySize() - 1;
    state.offsetX = atEnd ? static_cast<Long>(lastLine * record.CharSpace(0) * 2) : 0;
    view->surface.Cls();
    view->painter.DrawSmallBun(record, state);
    view->painter.DrawSmallRubi(record, state);
    state.offsetX = atEnd ? static_cast<Long>(2 * lastLine * record.CharSpace(1)) : 0;
    for (Integer tier = 0; tier <= 1; ++tier) {
        view->surface.Cls();
        view->painter.DrawBigBun(record, tier, state);
        view->painter.DrawBigRubi(record, tier, state);
    }
}

}  // namespace

// Fontconfig keeps a cache of its own for the process's life, which LeakSanitizer would report
// at exit.
extern "C" const char* __lsan_default_suppressions() {
    return "leak:libfontconfig.so\n";
}

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // The window's platform when no screen is there; fonts come from the system's font files.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "tavelo_fuzz_render";
    static char* argv[] = {name, nullptr};
    application = new QGuiApplication(argc, argv);
    view = new View();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RecordingMessageSink messages;
    DocumentLoader loader(messages, view->device);
    loader.keepOnlyWholeCells(true);
    loader.loadBytes(std::vector<std::uint8_t>(data, data + size), u"fuzz.tl2");
    if (!loader.readAnything()) return 0;
    CViewDataS views;
    CViewData* record = nullptr;
    try {
        record = &loader.addTo(views, u"9:00:00 fuzz.tl2");
    } catch (const Error&) {
        return 0;  // refused as a whole: the window shows its message and nothing else
    }

    PaintState state;
    state.viewWidth = view->image.width();
    drawAt(*record, false, state);
    drawAt(*record, true, state);
    // The hits of the first character of the first line, shown in the hit colour.
    if (record->GyouArraySize() >= 1 && !record->Bun(1).empty()) {
        SearchNavigation::markHits(*record, record->Bun(1).substr(0, 1));
        state.isSearch = true;
        drawAt(*record, false, state);
    }
    return 0;
}
