#pragma once

#include <optional>

#include "common/ClassicTypes.h"

namespace tavelo {

class DocumentLoader;
class Error;
class InputConversion;

// What the user is told about one reading, in the program's words: why a reading stopped and
// what is shown of it, a layout that failed, and how a file written on Linux was read. Paths
// are shown as PathBytes::display shows them.
class ReadingMessage {
public:
    // The message for a reading that failed: the limit, the line of the file where the reading
    // stopped and that the part before it is shown, or that nothing could be read. Empty when
    // the reading succeeded, or when the reader has already said that the file cannot be
    // opened.
    [[nodiscard]] static std::optional<String> readFailure(const DocumentLoader& loader,
                                                           const String& fullPathName);
    [[nodiscard]] static String layoutFailure(const Error& error, const String& fullPathName);
    // The end of the status text for a converted file ("" for one read as written), e.g.
    // "（UTF-8 のファイルとして読み込みました）".
    [[nodiscard]] static String statusNote(const InputConversion& conversion);
};

}  // namespace tavelo
