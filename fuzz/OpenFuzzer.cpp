// The libFuzzer entry point for the whole headless open: every input is read as a file's bytes,
// laid out on a device the size of the window's view and added to a list that already holds
// one document, as the open command does. The run stops, keeping the input, when the open
// breaks a promise: a failing add must leave the list as it was, an added record must hold
// what the reader and the layout gave, and the document already open must stay unchanged.
// An exception other than the program's Error, or a sanitizer report, stops it as well.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "common/Error.h"
#include "common/RecordingMessageSink.h"
#include "layout/DefaultViewSize.h"
#include "support/FixedMeasuringDevice.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"

namespace {

using namespace tavelo;

// The view's drawing area, in pixels, and a text height of one em at 96 pixels per inch.
constexpr Single kViewWidth = kDefaultViewWidth;
constexpr Single kViewHeight = kDefaultViewHeight;
Single emHeight(Single points) {
    return std::round(points * 4 / 3);
}

[[noreturn]] void broken(const char* promise) {
    std::fprintf(stderr, "broken: %s\n", promise);
    std::abort();
}

// Reads a position the painter reads; a stored record answers for every cell of a line.
template <class Read>
void readPosition(Read&& read) {
    try {
        (void)read();
    } catch (const Error&) {
        broken("a stored record refuses a position within a line's length");
    }
}

void readEveryPosition(const CViewData& view) {
    for (Integer g = 1; g <= view.GyouArraySize(); ++g) {
        for (int d = 1; d <= view.LenBunDan(g); ++d) {
            readPosition([&] { return view.position(PositionTables::kSmallBunX, g, d); });
            readPosition([&] { return view.position(PositionTables::kSmallBunY, g, d); });
            readPosition([&] { return view.position(PositionTables::kBigBunX, g, d); });
            readPosition([&] { return view.position(PositionTables::kBigBunY, g, d); });
        }
        for (int d = 1; d <= view.LenRubiDan(g); ++d) {
            readPosition([&] { return view.position(PositionTables::kSmallRubiX, g, d); });
            readPosition([&] { return view.position(PositionTables::kSmallRubiY, g, d); });
            readPosition([&] { return view.position(PositionTables::kBigRubiX, g, d); });
            readPosition([&] { return view.position(PositionTables::kBigRubiY, g, d); });
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RecordingMessageSink messages;
    FixedMeasuringDevice device(kViewWidth, kViewHeight, emHeight);
    CViewDataS views;

    // The document already open: the ruby line ﾙﾋﾞ over the body line 漢字かな, in Shift-JIS.
    DocumentLoader first(messages, device);
    first.keepOnlyWholeCells(true);
    first.loadBytes(
        {0xD9, 0xCB, 0xDE, '\r', '\n', 0x8A, 0xBF, 0x8E, 0x9A, 0x82, 0xA9, 0x82, 0xC8, '\r', '\n'},
        u"open.tl2");
    CViewData& open = first.addTo(views, u"9:00:00 open.tl2");
    const Integer openLines = open.GyouArraySize();
    const String openText = open.Bun(openLines);
    const Long openX = open.position(PositionTables::kSmallBunX, openLines, 1);

    DocumentLoader loader(messages, device);
    loader.keepOnlyWholeCells(true);
    loader.loadBytes(std::vector<std::uint8_t>(data, data + size), u"fuzz.tl2");
    if (loader.readAnything()) {
        bool added = false;
        try {
            const CViewData& view = loader.addTo(views, u"9:00:01 fuzz.tl2");
            added = true;
            if (view.GyouArraySize() != loader.reader().GyouArraySize())
                broken("the record holds as many lines as the reader read");
            if (view.MaxBunDan() != loader.calculator().MaxBunDan())
                broken("the record holds the layout's longest line");
            readEveryPosition(view);
        } catch (const Error&) {
            if (added) throw;
        }
        if (views.Count() != (added ? 2 : 1)) broken("a failing add leaves the list as it was");
    }
    const CViewData& kept = views.Item(1);
    if (&kept != &open || kept.GyouArraySize() != openLines || kept.Bun(openLines) != openText ||
        kept.position(PositionTables::kSmallBunX, openLines, 1) != openX)
        broken("the document already open is unchanged");
    return 0;
}
