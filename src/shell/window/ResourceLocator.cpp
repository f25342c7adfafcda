#include "shell/window/ResourceLocator.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <utility>

namespace tavelo {

ResourceLocator::ResourceLocator(QString programFolder)
    : programFolder_(std::move(programFolder)) {}

ResourceLocator ResourceLocator::forThisProgram() {
    return ResourceLocator(QCoreApplication::applicationDirPath());
}

QStringList ResourceLocator::searchFolders() const {
    const QDir program(programFolder_);
    // The installed data folder as seen from the installed binary folder, fixed by the
    // build's install directories (normally "../share/tavelo").
    const QString installed = QStringLiteral(TAVELO_DATA_FROM_BINARY_DIR);
    return {QDir::cleanPath(program.absolutePath()),
            QDir::cleanPath(program.absoluteFilePath(installed))};
}

std::optional<QString> ResourceLocator::find(const QString& relativePath) const {
    if (relativePath.isEmpty()) return std::nullopt;
    for (const QString& folder : searchFolders()) {
        const QString candidate = QDir(folder).absoluteFilePath(relativePath);
        if (QFileInfo::exists(candidate)) return QDir::cleanPath(candidate);
    }
    return std::nullopt;
}

}  // namespace tavelo
