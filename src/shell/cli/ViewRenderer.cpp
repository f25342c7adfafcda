#include "shell/cli/ViewRenderer.h"

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>

#include "shell/cli/CommandLine.h"
#include "shell/cli/JsonDump.h"
#include "shell/controls/HeadlessCommonDialog.h"
#include "common/ErrorText.h"
#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "layout/CEisuuCyotai.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "layout/qt/QtScreenFonts.h"
#include "shell/gdi/MFontDraw.h"
#include "store/CViewData.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"
#include "store/ReadingMessage.h"
#include "view/DocumentPainter.h"
#include "view/ScrollPosition.h"
#include "view/SearchNavigation.h"
#include "common/Utf8.h"
#include "shell/window/frmMain.h"

namespace tavelo {

int ViewRenderer::render(const CommandLine& commandLine, MessageSink& messages) {
    // What a freshly started window would show after the same commands, drawn by the same
    // loader, positions and passes without making a window.
    const int width = commandLine.viewWidth.value_or(JsonDump::kDefaultViewWidth);
    const int height = commandLine.viewHeight.value_or(JsonDump::kDefaultViewHeight);
    FontMeasuringDevice device(width, height);
    DocumentLoader loader(messages, device);
    loader.keepOnlyWholeCells(true);
    const String& path = commandLine.file;
    loader.loadFile(path, PathBytes::fileName(path));
    if (const auto message = ReadingMessage::readFailure(loader, path))
        messages.showMessage(*message);
    if (loader.readError() && !loader.readAnything()) return 1;
    if (const auto& error = loader.layoutError())
        messages.showMessage(ReadingMessage::layoutFailure(*error, path));
    CViewDataS documents;
    try {
        loader.addTo(documents, loader.reader().FileName());
    } catch (const Error& error) {
        messages.showMessage(PathBytes::display(path) + u" を開けません。\n" + ErrorText::of(error));
        return 1;
    }
    CViewData& view = documents.Item(1);

    const Integer style = commandLine.style == CommandLine::Style::Large ? 1 : 0;
    const ScrollPosition positions = ScrollPosition::of(view, style);
    if (commandLine.position > positions.last())
        std::fprintf(stderr, "tavelo: position %d is past the end; showing position %d\n",
                     commandLine.position, static_cast<int>(positions.last()));
    const ScrollPosition::Shown shown = positions.at(positions.clamp(commandLine.position));

    PaintState state;
    state.offsetX = shown.offsetX;
    for (const std::string& word : commandLine.searches) {
        if (word.empty()) {
            messages.showMessage(u"検索する単語を入力して下さい。");
            continue;
        }
        (void)SearchNavigation::markHits(view, utf8::toUtf16(word));
        state.isSearch = true;
    }
    if (commandLine.hitColor) state.hitColor = static_cast<COLORREF>(*commandLine.hitColor);

    // Laid out at the logical view, drawn at device pixels: the scale times each side.
    const int scale = commandLine.scale;
    QImage image(width * scale, height * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    CEisuuCyotai fonts;
    fonts.ScreenFont(QtScreenFonts());
    MFontDraw surface(image);
    surface.setDeviceScale(scale);
    DocumentPainter painter(surface, fonts);
    state.viewWidth = width;
    if (style == 0) {
        painter.DrawSmallBun(view, state);
        painter.DrawSmallRubi(view, state);
    } else {
        painter.DrawBigBun(view, shown.tier, state);
        painter.DrawBigRubi(view, shown.tier, state);
    }
    if (!image.save(QString::fromStdString(commandLine.out), "PNG")) {
        std::fprintf(stderr, "tavelo: cannot write %s\n", commandLine.out.c_str());
        return 1;
    }
    return 0;
}

int ViewRenderer::writePdf(const CommandLine& commandLine, MessageSink& messages) {
    HeadlessCommonDialog dialog;
    frmMain window(dialog, messages);
    window.openFile(commandLine.file);
    if (window.m_obViewS.Count() == 0) return 1;
    if (commandLine.style == CommandLine::Style::Large) window.mnuStyleType_Click(1);
    // The window tells the failure through the message sink, on standard error here.
    return window.writePdf(QString::fromStdString(commandLine.out),
                           DocumentPrinter::Paper::A4Landscape)
               ? 0
               : 1;
}

}  // namespace tavelo
