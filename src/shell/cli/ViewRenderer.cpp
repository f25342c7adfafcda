#include "shell/cli/ViewRenderer.h"

#include <QFileInfo>
#include <QImage>
#include <QImageWriter>
#include <QString>
#include <QStringList>
#include <algorithm>
#include <cstdio>

#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "common/Utf8.h"
#include "layout/DefaultViewSize.h"
#include "shell/cli/CommandLine.h"
#include "shell/cli/CommandLineDocument.h"
#include "shell/gdi/MFontDraw.h"
#include "shell/print/DocumentPrinter.h"
#include "shell/print/ReplacedFile.h"
#include "store/CViewData.h"
#include "view/DocumentPainter.h"
#include "view/ScrollPosition.h"
#include "view/SearchNavigation.h"

namespace tavelo {

namespace {

// The image format the name's extension names, among those Qt's image writers write; empty
// when it names none (no extension, or one of no writer).
QByteArray imageFormatOf(const std::string& out) {
    const QByteArray suffix = QFileInfo(QString::fromStdString(out)).suffix().toLower().toLatin1();
    if (suffix.isEmpty()) return {};
    return QImageWriter::supportedImageFormats().contains(suffix) ? suffix : QByteArray();
}

}  // namespace

int ViewRenderer::render(const CommandLine& commandLine, MessageSink& messages) {
    // The bytes written are of the format the name promises, or nothing is written.
    const QByteArray format = imageFormatOf(commandLine.out);
    if (format.isEmpty()) {
        QStringList known;
        for (const QByteArray& name : QImageWriter::supportedImageFormats())
            known << QString::fromLatin1(name);
        std::fprintf(stderr,
                     "tavelo: %s: the extension names no image format that can be "
                     "written (%s)\n",
                     commandLine.out.c_str(),
                     known.join(QStringLiteral(", ")).toUtf8().constData());
        return 2;
    }
    // What a freshly started window would show after the same commands, drawn by the same
    // loader, positions and passes without making a window.
    const int width = commandLine.viewWidth.value_or(kDefaultViewWidth);
    const int height = commandLine.viewHeight.value_or(kDefaultViewHeight);
    CommandLineDocument document(width, height);
    if (!document.open(commandLine.file, messages)) return 1;
    CViewData& view = document.view();

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
    MFontDraw surface(image);
    surface.setDeviceScale(scale);
    DocumentPainter painter(surface, document.fonts());
    state.viewWidth = width;
    if (style == 0) {
        painter.DrawSmallBun(view, state);
        painter.DrawSmallRubi(view, state);
    } else {
        painter.DrawBigBun(view, shown.tier, state);
        painter.DrawBigRubi(view, shown.tier, state);
    }
    if (!ReplacedFile::write(commandLine.out, [&](QIODevice& file) {
            return image.save(&file, format.constData());
        })) {
        std::fprintf(stderr, "tavelo: cannot write %s\n", commandLine.out.c_str());
        return 1;
    }
    return 0;
}

int ViewRenderer::writePdf(const CommandLine& commandLine, MessageSink& messages) {
    CommandLineDocument document(kDefaultViewWidth, kDefaultViewHeight);
    if (!document.open(commandLine.file, messages)) return 1;
    DocumentPrinter::Job job;
    job.view = &document.view();
    job.style = commandLine.style == CommandLine::Style::Large ? 1 : 0;
    job.viewSize = QSize(kDefaultViewWidth, kDefaultViewHeight);
    const String out = PathBytes::fromSystem(commandLine.out);
    if (!DocumentPrinter::writePdf(QString::fromStdU16String(out),
                                   DocumentPrinter::Paper::A4Landscape, job, document.fonts())) {
        messages.showMessage(PathBytes::display(out) + u" に書き出せませんでした。");
        return 1;
    }
    return 0;
}

}  // namespace tavelo
