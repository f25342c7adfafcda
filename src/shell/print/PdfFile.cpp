#include "shell/print/PdfFile.h"

#include <QPdfWriter>
#include <QSaveFile>

namespace tavelo {

bool PdfFile::write(const QString& path, const QString& title, const QPageLayout& layout,
                    const std::function<int(QPagedPaintDevice&)>& printPages) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    int pages = -1;
    {
        QPdfWriter writer(&file);
        writer.setCreator(QStringLiteral("Tavelo"));
        writer.setTitle(title);
        writer.setPageLayout(layout);
        writer.setResolution(600);
        pages = printPages(writer);
    }
    if (pages < 0) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

}  // namespace tavelo
