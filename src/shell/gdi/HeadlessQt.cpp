#include "shell/gdi/HeadlessQt.h"

#include <sys/stat.h>
#include <unistd.h>

#include <QByteArray>
#include <QtGlobal>
#include <cerrno>

namespace tavelo {

void prepareHeadlessQt() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    if (qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR")) {
        const QByteArray folder = "/tmp/runtime-" + QByteArray::number(getuid());
        if (::mkdir(folder.constData(), 0700) == 0 || errno == EEXIST)
            qputenv("XDG_RUNTIME_DIR", folder);
    }
}

}  // namespace tavelo
