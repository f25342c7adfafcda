#include "shell/print/PdfFile.h"

#include <QPdfWriter>

#include "common/PathBytes.h"
#include "shell/print/ReplacedFile.h"

namespace tavelo {

bool PdfFile::write(const QString& path, const QString& title, const QPageLayout& layout,
                    const std::function<int(QPagedPaintDevice&)>& printPages) {
    return ReplacedFile::write(PathBytes::toSystem(path.toStdU16String()), [&](QIODevice& file) {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Tavelo"));
        writer.setTitle(title);
        writer.setPageLayout(layout);
        writer.setResolution(600);
        return printPages(writer) >= 0;
    });
}

}  // namespace tavelo
