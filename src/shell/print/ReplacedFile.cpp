#include "shell/print/ReplacedFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QFile>
#include <cerrno>
#include <filesystem>

namespace tavelo {
namespace {

// A new file beside the target, named after it; -1 when none can be made.
int createBeside(const std::string& target, std::string& temporary) {
    for (int attempt = 0; attempt < 100; ++attempt) {
        temporary =
            target + ".tavelo-" + std::to_string(::getpid()) + "-" + std::to_string(attempt);
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

bool ReplacedFile::write(const std::string& path, const std::function<bool(QIODevice&)>& fill) {
    // std::filesystem keeps a POSIX path's bytes as they are.
    std::string target = path;
    std::error_code error;
    if (std::filesystem::is_symlink(path, error)) {
        const std::filesystem::path resolved = std::filesystem::canonical(path, error);
        if (!error) target = resolved.native();
    }
    std::string temporary;
    const int fd = createBeside(target, temporary);
    if (fd < 0) return false;
    struct stat existing {};
    if (::stat(target.c_str(), &existing) == 0) (void)::fchmod(fd, existing.st_mode & 07777);

    bool written = false;
    {
        QFile file;
        if (file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
            written = fill(file) && file.flush() && ::fsync(file.handle()) == 0;
            file.close();
        } else {
            ::close(fd);
        }
    }
    if (written && ::rename(temporary.c_str(), target.c_str()) == 0) return true;
    ::unlink(temporary.c_str());
    return false;
}

}  // namespace tavelo
