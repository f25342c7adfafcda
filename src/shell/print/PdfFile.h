#pragma once

#include <QPageLayout>
#include <QString>
#include <functional>

class QPagedPaintDevice;

namespace tavelo {

// Writes a PDF file beside its place and puts it there only once it is complete, so that a
// failure leaves an existing file as it was. (QPdfWriter itself reports no failure to open a
// file.)
class PdfFile {
public:
    // `printPages` draws every page onto the writer, whose layout is set, and returns the
    // number of pages drawn or -1 when it could not draw. False when the file could not be
    // written or nothing was drawn. The path is text as PathBytes holds it: a name kept as
    // bytes is written by those bytes.
    [[nodiscard]] static bool write(const QString& path, const QString& title,
                                    const QPageLayout& layout,
                                    const std::function<int(QPagedPaintDevice&)>& printPages);
};

}  // namespace tavelo
