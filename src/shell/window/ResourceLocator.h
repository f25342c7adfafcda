#pragma once

#include <QString>
#include <QStringList>
#include <optional>

namespace tavelo {

// Finds the files the program reads at run time (the help, the pointer images) relative to
// the program's own folder, so that the same build works from its build folder and after
// installation under any prefix:
//   1. the program's folder itself (the build tree copies them next to the executable);
//   2. <program folder>/../share/tavelo (installed as <prefix>/bin and <prefix>/share).
class ResourceLocator {
public:
    // `programFolder` is the folder that holds the executable.
    explicit ResourceLocator(QString programFolder);

    // The locator for the running program (QCoreApplication::applicationDirPath()).
    [[nodiscard]] static ResourceLocator forThisProgram();

    // The folders searched, in order, as clean absolute paths.
    [[nodiscard]] QStringList searchFolders() const;

    // The first existing file or folder `relativePath` (for example "help/index.html") in
    // the search folders, as an absolute path.
    [[nodiscard]] std::optional<QString> find(const QString& relativePath) const;

private:
    QString programFolder_;
};

}  // namespace tavelo
