#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace tavelo {

// The one error type of the program: a classic error number, the operation that raised it
// and a description. The reader, the layout and the store throw it; the window's handlers
// decide what the user sees.
class Error : public std::exception {
public:
    enum Number : std::int32_t {
        kInvalidArgument = 5,
        kOverflow = 6,
        kSubscriptOutOfRange = 9,
        kDivisionByZero = 11,
        kFileNotFound = 53,
        kPathFileAccess = 75,
        kObjectNotSet = 91,
        kDuplicateKey = 457,
        // Object-defined error 522 above the base 0x80040000.
        kCollectionKeyInvalid = static_cast<std::int32_t>(0x8004020Au),
    };

    Error(std::int32_t number, std::string source, std::string description);

    [[nodiscard]] static Error invalidArgument(std::string source);
    [[nodiscard]] static Error overflow(std::string source);
    [[nodiscard]] static Error subscriptOutOfRange(std::string source);
    [[nodiscard]] static Error divisionByZero(std::string source);
    [[nodiscard]] static Error objectNotSet(std::string source);

    [[nodiscard]] std::int32_t number() const noexcept { return number_; }
    [[nodiscard]] const std::string& source() const noexcept { return source_; }
    [[nodiscard]] const std::string& description() const noexcept { return description_; }
    [[nodiscard]] const char* what() const noexcept override { return description_.c_str(); }

private:
    std::int32_t number_;
    std::string source_;
    std::string description_;  // UTF-8
};

}  // namespace tavelo
