#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace tavelo::prose {

// The text bytes of a prose file: the file itself, or for a .zip (Aozora Bunko ships each
// work as a zip holding one .txt) the one text file inside, read with libzip. Files over
// kMaxFileBytes are refused without being read whole.
inline constexpr std::size_t kMaxFileBytes = 64u * 1024u * 1024u;

struct ProseFileBytes {
    bool ok = false;
    std::string bytes;
    std::string innerName;  // the entry read from a zip, else empty
    std::string message;    // UTF-8, Japanese, why it failed when !ok
};

// `path` holds the file name's bytes as the file system has them.
[[nodiscard]] ProseFileBytes readProseFile(const std::string& path);

[[nodiscard]] bool isZipName(std::string_view path);

}  // namespace tavelo::prose
