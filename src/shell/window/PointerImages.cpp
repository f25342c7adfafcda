#include "shell/window/PointerImages.h"

#include <QImage>
#include <QImageReader>
#include <QPixmap>
#include <cstddef>

#include "shell/window/ResourceLocator.h"

namespace tavelo {
namespace {

std::size_t indexOf(PointerImages::Zone zone) {
    return static_cast<std::size_t>(zone);
}

}  // namespace

PointerImages::PointerImages(const ResourceLocator& resources) {
    for (const Zone zone : kZones) {
        const std::size_t i = indexOf(zone);
        cursors_[i] = QCursor(Qt::ArrowCursor);
        const auto path = resources.find(fileName(zone));
        if (!path) continue;
        // Read as an icon whatever the content says, so that a damaged file fails here
        // instead of being taken for another format.
        QImageReader reader(*path, "ico");
        reader.setDecideFormatFromContent(false);
        const QImage image = reader.read();
        if (image.isNull()) continue;
        // The images are symbols rather than pointers with a tip: the hot spot is the centre.
        cursors_[i] = QCursor(QPixmap::fromImage(image), image.width() / 2, image.height() / 2);
        fromFile_[i] = true;
    }
}

const QCursor& PointerImages::cursor(Zone zone) const {
    return cursors_[indexOf(zone)];
}

bool PointerImages::isFromFile(Zone zone) const {
    return fromFile_[indexOf(zone)];
}

QString PointerImages::fileName(Zone zone) {
    switch (zone) {
        case Zone::FarLeft:
            return QStringLiteral("arrow_normal_left_p.ico");
        case Zone::Left:
            return QStringLiteral("arrow_normal_left_b.ico");
        case Zone::Right:
            return QStringLiteral("arrow_normal_right_b.ico");
        case Zone::FarRight:
            return QStringLiteral("arrow_normal_right_p.ico");
    }
    return {};
}

}  // namespace tavelo
