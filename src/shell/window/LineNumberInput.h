#pragma once

#include <optional>

#include "common/ClassicTypes.h"

namespace tavelo {

// What the line-number box asks for when the user types in it: a line of the document to go
// to. The digits may be half- or full-width, with spaces around them.
class LineNumberInput {
public:
    // The line, from 1 to `lineCount`; nothing when the text names no line of the document.
    [[nodiscard]] static std::optional<int> parse(const String& text, int lineCount);
    // What the status bar says when the text names no line.
    [[nodiscard]] static String refusal(int lineCount);
};

}  // namespace tavelo
