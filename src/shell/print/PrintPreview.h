#pragma once

#include <QImage>
#include <QString>
#include <functional>

#include "common/ClassicTypes.h"
#include "shell/print/PrintChoice.h"

namespace tavelo {

class CEisuuCyotai;
class CViewData;
namespace prose {
struct ProseDocument;
}

// What the page dialog shows of the document it is to print, whatever its kind: its length in
// characters and 400-character sheets, what its title check box adds, and its first manuscript
// page for a choice. The document (and the fonts) must outlive it.
struct PrintPreview {
    String length;
    QString titleCaption;
    // The first page for a manuscript choice at `pixelsPerPoint`; a null image when the grid
    // does not fit.
    std::function<QImage(const PrintChoice& choice, double pixelsPerPoint)> firstPage;

    // A tl2 document: the title is its file name at the head of every page.
    [[nodiscard]] static PrintPreview of(const CViewData& view, const CEisuuCyotai& fonts);
    // A prose document: the title is a title page with its title and author.
    [[nodiscard]] static PrintPreview of(const prose::ProseDocument& document);
};

}  // namespace tavelo
