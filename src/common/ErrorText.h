#pragma once

#include <cstdint>

#include "ClassicTypes.h"

namespace tavelo {

class Error;

// Failures told to the user in the program's own language: the error's number and a Japanese
// description, never the English description the error carries for logs and the JSON dump.
class ErrorText {
public:
    // "エラー 6（オーバーフローしました）".
    [[nodiscard]] static String of(const Error& error);
    [[nodiscard]] static String of(std::int32_t number);
    // The Japanese description alone; a number the program does not raise itself gets
    // "予期しないエラーです".
    [[nodiscard]] static String description(std::int32_t number);
};

}  // namespace tavelo
