#include "shell/cli/ProseRenderer.h"

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>

#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "common/Utf8.h"
#include "flow/FlowLayout.h"
#include "prose/ProseLoad.h"
#include "shell/cli/CommandLine.h"
#include "shell/gdi/MFontDraw.h"
#include "shell/print/ProseManuscriptPrinter.h"
#include "shell/print/ProsePrinter.h"
#include "shell/print/ReplacedFile.h"
#include "view/ProsePagePainter.h"

namespace tavelo {
namespace {

std::optional<prose::ProseDocument> load(const CommandLine& commandLine, MessageSink& messages) {
    prose::LoadedProse loaded = prose::loadProseFile(PathBytes::toSystem(commandLine.file));
    if (!loaded.document) {
        messages.showMessage(PathBytes::display(commandLine.file) + u" を開けません。\n" +
                             utf8::toUtf16(loaded.message));
        return std::nullopt;
    }
    for (const std::string& message : loaded.document->messages)
        messages.showMessage(utf8::toUtf16(message));
    return std::move(loaded.document);
}

ProsePaintState paintStateOf(const CommandLine& commandLine, const prose::ProseDocument& document,
                             MessageSink& messages) {
    ProsePaintState state;
    std::vector<prose::TextHit> hits;
    for (const std::string& word : commandLine.searches) {
        if (word.empty()) {
            messages.showMessage(u"検索する単語を入力して下さい。");
            continue;
        }
        const std::u32string unicode = utf8::utf16ToUtf32(utf8::toUtf16(word));
        std::vector<prose::TextHit> found = prose::findAll(document, unicode);
        hits.insert(hits.end(), found.begin(), found.end());
    }
    state.hits = prose::mergeHits(std::move(hits));
    if (commandLine.hitColor) state.hitColor = static_cast<COLORREF>(*commandLine.hitColor);
    return state;
}

}  // namespace

int ProseRenderer::render(const CommandLine& commandLine, MessageSink& messages) {
    const std::optional<prose::ProseDocument> document = load(commandLine, messages);
    if (!document) return 1;
    const flow::FlowSettings settings = commandLine.proseSettings();
    flow::FlowLayout layout(*document, settings);
    const int pages = std::max(1, layout.pageCount());
    if (commandLine.page > pages)
        std::fprintf(stderr, "tavelo: page %d is past the end; showing page %d\n", commandLine.page,
                     pages);
    const int page = std::clamp(commandLine.page, 1, pages);

    const int scale = commandLine.scale;
    QImage image(settings.viewWidth * scale, settings.viewHeight * scale, QImage::Format_RGB32);
    image.fill(Qt::white);
    MFontDraw surface(image);
    surface.setDeviceScale(scale);
    ProsePagePainter painter(surface);
    if (layout.pageCount() > 0)
        painter.paint(*document, layout.metrics(), layout.page(page - 1),
                      paintStateOf(commandLine, *document, messages));
    if (!ReplacedFile::write(commandLine.out,
                             [&](QIODevice& file) { return image.save(&file, "PNG"); })) {
        std::fprintf(stderr, "tavelo: cannot write %s\n", commandLine.out.c_str());
        return 1;
    }
    return 0;
}

int ProseRenderer::writePdf(const CommandLine& commandLine, MessageSink& messages) {
    const std::optional<prose::ProseDocument> document = load(commandLine, messages);
    if (!document) return 1;
    const QString title = QString::fromStdString(utf8::fromUtf32(document->title));
    const String out = PathBytes::fromSystem(commandLine.out);
    bool written = false;
    if (commandLine.screenPages) {
        ProsePrinter::Job job;
        job.document = &*document;
        job.settings = commandLine.proseSettings();
        job.state = paintStateOf(commandLine, *document, messages);
        job.title = title;
        written = ProsePrinter::writePdf(QString::fromStdU16String(out), job);
    } else {
        ProseManuscriptPrinter::Job job;
        job.document = &*document;
        job.settings = commandLine.manuscript;
        job.titlePage = commandLine.titlePage;
        job.title = title;
        written = ProseManuscriptPrinter::writePdf(QString::fromStdU16String(out), job);
    }
    if (!written) {
        messages.showMessage(PathBytes::display(out) + u" に書き出せませんでした。");
        return 1;
    }
    return 0;
}

}  // namespace tavelo
