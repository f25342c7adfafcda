#pragma once

#include <QString>

#include "flow/FlowMetrics.h"
#include "view/ProsePagePainter.h"

class QPagedPaintDevice;

namespace tavelo {

// Prints a prose document's flowing pages as the view shows them: each page of the view's
// size, drawn as text by the page painter (VectorDrawingSurface), scaled to fit the paper and
// centred, with its number in the bottom margin, as DocumentPrinter prints the tl2 view's pages.
class ProsePrinter {
public:
    struct Job {
        const prose::ProseDocument* document = nullptr;
        flow::FlowSettings settings;  // the view's size and zoom, the break rules
        ProsePaintState state;        // printed in black on white whatever the view's theme
        QString title;
    };

    // Returns the number of pages drawn, or -1 when the device could not be painted on.
    static int print(QPagedPaintDevice& device, const Job& job);
    // A4 landscape, the file replaced only once it is complete; false when it could not be
    // written.
    [[nodiscard]] static bool writePdf(const QString& path, const Job& job);
};

}  // namespace tavelo
