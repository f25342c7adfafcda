#include "shell/print/PrintPreview.h"

#include "shell/print/ManuscriptPrinter.h"
#include "shell/print/ProseManuscriptPrinter.h"
#include "store/CViewData.h"

namespace tavelo {

PrintPreview PrintPreview::of(const CViewData& view, const CEisuuCyotai& fonts) {
    PrintPreview preview;
    preview.length = ManuscriptPrinter::lengthOf(view);
    preview.titleCaption = QStringLiteral("題名を各ページの上に入れる");
    preview.firstPage = [&view, &fonts](const PrintChoice& choice, double pixelsPerPoint) {
        ManuscriptPrinter::Job job;
        job.view = &view;
        job.settings = choice.settings();
        if (choice.title) job.title = view.FileName();
        return ManuscriptPrinter::preview(job, fonts, pixelsPerPoint);
    };
    return preview;
}

PrintPreview PrintPreview::of(const prose::ProseDocument& document) {
    PrintPreview preview;
    preview.length = ProseManuscriptPrinter::lengthOf(document);
    preview.titleCaption = QStringLiteral("題名と著者名の扉を付ける");
    preview.firstPage = [&document](const PrintChoice& choice, double pixelsPerPoint) {
        ProseManuscriptPrinter::Job job;
        job.document = &document;
        job.settings = choice.settings();
        job.titlePage = choice.title;
        return ProseManuscriptPrinter::preview(job, pixelsPerPoint);
    };
    return preview;
}

}  // namespace tavelo
