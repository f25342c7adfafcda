#include "shell/cli/ManuscriptPdf.h"

#include <QString>
#include <cstdio>

#include "common/Error.h"
#include "common/ErrorText.h"
#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "layout/CEisuuCyotai.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "layout/qt/QtScreenFonts.h"
#include "shell/cli/CommandLine.h"
#include "shell/print/ManuscriptPrinter.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"
#include "store/ReadingMessage.h"

namespace tavelo {
namespace {

// The view the loader measures for: the classic window's picture box.
constexpr int kViewWidth = 449;
constexpr int kViewHeight = 624;

}  // namespace

int ManuscriptPdf::write(const CommandLine& commandLine, MessageSink& messages) {
    FontMeasuringDevice device(kViewWidth, kViewHeight);
    DocumentLoader loader(messages, device);
    loader.keepOnlyWholeCells(true);
    loader.loadFile(commandLine.file, PathBytes::fileName(commandLine.file));
    if (const auto message = ReadingMessage::readFailure(loader, commandLine.file))
        messages.showMessage(*message);
    if (loader.readError() && !loader.readAnything()) return 1;
    CViewDataS documents;
    try {
        loader.addTo(documents, u"pdf");
    } catch (const Error& error) {
        messages.showMessage(PathBytes::display(commandLine.file) + u" を開けません。\n" +
                             ErrorText::of(error));
        return 1;
    }
    CEisuuCyotai fonts;
    fonts.ScreenFont(QtScreenFonts());
    ManuscriptPrinter::Job job;
    job.view = &documents.Item(1);
    job.settings = commandLine.manuscript;
    const QString out = QString::fromStdString(commandLine.out);
    if (!ManuscriptPrinter::writePdf(out, job, fonts)) {
        std::fprintf(stderr, "tavelo: cannot write %s\n", commandLine.out.c_str());
        return 1;
    }
    return 0;
}

}  // namespace tavelo
