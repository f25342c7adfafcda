#include "shell/window/ApplicationIcon.h"

namespace tavelo {

QString ApplicationIcon::resourcePath(int size) {
    return QStringLiteral(":/tavelo/icons/%1x%1/apps/tavelo.png").arg(size);
}

QIcon ApplicationIcon::icon() {
    QIcon result;
    for (const int size : kSizes) result.addFile(resourcePath(size), QSize(size, size));
    return result;
}

}  // namespace tavelo
