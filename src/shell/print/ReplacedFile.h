#pragma once

#include <functional>
#include <string>

class QIODevice;

namespace tavelo {

// Writes a file beside its place and puts it there only once it is complete, so that a failure
// leaves an existing file as it was. The path is the bytes the system names the file by (a
// Shift-JIS name stays those bytes: Qt's own files would take it for UTF-8). The new file
// keeps the permissions of the one it replaces, and a symbolic link is written through.
class ReplacedFile {
public:
    // `fill` writes the contents to the device and returns false when it could not. False
    // when the file could not be written or `fill` failed.
    [[nodiscard]] static bool write(const std::string& path,
                                    const std::function<bool(QIODevice&)>& fill);
};

}  // namespace tavelo
