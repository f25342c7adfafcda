#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tavelo {

// Builds one JSON text, indented by two spaces per level. Strings are UTF-8 and escaped as
// JSON requires; floats are printed with the fewest digits (at least 8 significant) that
// read back as the same single-precision value.
class JsonWriter {
public:
    void beginObject();
    void endObject();
    void beginArray();
    void endArray();
    void key(std::string_view name);
    void value(std::string_view text);
    void value(std::int64_t number);
    void valueSingle(float number);
    void null();

    // Short arrays of numbers stay on one line, as in [581, 18]; a missing number is null.
    void inlineArray(const std::vector<std::int64_t>& numbers);
    void inlineArray(const std::vector<std::optional<std::int64_t>>& numbers);
    void inlineArraySingle(const std::vector<float>& numbers);

    [[nodiscard]] const std::string& text() const { return out_; }

private:
    void beforeValue();
    void newline();
    void writeString(std::string_view text);
    void writeSingle(float number);

    std::string out_;
    struct Level {
        bool isObject;
        bool empty = true;
    };
    std::vector<Level> levels_;
    bool afterKey_ = false;
};

}  // namespace tavelo
