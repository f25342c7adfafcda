#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "common/ClassicTypes.h"

namespace tavelo::fuzzing {

// What the reader made of one file's bytes, read back through its public members in the order
// the program reads them. A member whose read fails with the program's Error is left empty, so
// that a check can tell a read that fails from a value that is wrong. Any other exception is
// not caught: it is a fault of its own.
struct ReadDocument {
    struct Line {
        std::optional<String> Bun;
        std::optional<Integer> LenBunDan;
        std::vector<std::optional<String>> FontData;  // cells 1..55
        std::optional<String> Rubi;
        std::optional<Integer> LenRubiDan;
        std::vector<std::optional<Integer>> IsKanjiRubi;  // slots 1..120
    };

    std::vector<std::uint8_t> input;          // the file's bytes
    std::size_t bufferSize = 0;               // the reader's buffer, after any appended CR LF
    std::optional<std::int32_t> errorNumber;  // the Error that stopped the parse
    long failureLine = 0;
    std::vector<String> messages;
    Integer GyouArraySize = 0;
    Integer MaxBunDan = 0;
    std::optional<Integer> Plusminus1MaxLenDan;
    std::vector<Line> lines;  // lines 1..GyouArraySize

    [[nodiscard]] static ReadDocument read(std::span<const std::uint8_t> bytes);
};

}  // namespace tavelo::fuzzing
