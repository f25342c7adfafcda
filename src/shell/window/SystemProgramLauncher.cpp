#include "shell/window/SystemProgramLauncher.h"

#include <QProcess>
#include <QStandardPaths>

namespace tavelo {

QString SystemProgramLauncher::findExecutable(const QString& name) const {
    return QStandardPaths::findExecutable(name);
}

bool SystemProgramLauncher::startDetached(const QString& program) {
    if (program.isEmpty()) return false;
    return QProcess::startDetached(program, {});
}

}  // namespace tavelo
