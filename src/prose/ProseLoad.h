#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "prose/ProseDocument.h"

namespace tavelo::prose {

// A prose file read whole, as the window and the command line open it: the file (or the one
// text in a zip) decoded and read as Aozora Bunko's notation.
struct LoadedProse {
    std::optional<ProseDocument> document;  // nothing when the file could not be read
    std::string message;                    // UTF-8, Japanese: why not
};

// `path` holds the file name's bytes as the file system has them.
[[nodiscard]] LoadedProse loadProseFile(const std::string& path);

// True for the names the prose reader takes when nothing forces a reader: every name but
// those ending in .tl2 (in any case), which go to the tl2 reader.
[[nodiscard]] bool isProseName(std::string_view path);

}  // namespace tavelo::prose
