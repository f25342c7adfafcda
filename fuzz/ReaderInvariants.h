#pragma once

#include <string>
#include <vector>

namespace tavelo::fuzzing {

struct ReadDocument;

// The promises the reader keeps for any bytes whatever: it fails only at the format's limits,
// with an overflow or an out-of-range error and the line where it stopped; what it stored
// before stays readable; its figures agree with its lines; and its texts hold only what the
// format lets into them.
class ReaderInvariants {
public:
    // One entry per broken promise, "name: detail", the names being failure, overflow,
    // failureLine, counts, lineReadable, cells, slots, maxBunDan, standardLength, typeface,
    // kanjiFlags, bodyText, rubyText, messages, validText and noDoubleByte. Empty when all hold.
    [[nodiscard]] static std::vector<std::string> violations(const ReadDocument& document);
};

}  // namespace tavelo::fuzzing
