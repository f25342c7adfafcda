#include "shell/cli/JsonWriter.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace tavelo {

void JsonWriter::newline() {
    out_.push_back('\n');
    out_.append(levels_.size() * 2, ' ');
}

void JsonWriter::beforeValue() {
    if (afterKey_) {
        afterKey_ = false;
        return;
    }
    if (!levels_.empty()) {
        if (!levels_.back().empty) out_.push_back(',');
        levels_.back().empty = false;
        newline();
    }
}

void JsonWriter::beginObject() {
    beforeValue();
    out_.push_back('{');
    levels_.push_back({true});
}

void JsonWriter::endObject() {
    const bool empty = levels_.back().empty;
    levels_.pop_back();
    if (!empty) newline();
    out_.push_back('}');
}

void JsonWriter::beginArray() {
    beforeValue();
    out_.push_back('[');
    levels_.push_back({false});
}

void JsonWriter::endArray() {
    const bool empty = levels_.back().empty;
    levels_.pop_back();
    if (!empty) newline();
    out_.push_back(']');
}

void JsonWriter::key(std::string_view name) {
    beforeValue();
    writeString(name);
    out_.append(": ");
    afterKey_ = true;
}

void JsonWriter::value(std::string_view text) {
    beforeValue();
    writeString(text);
}

void JsonWriter::writeString(std::string_view text) {
    out_.push_back('"');
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        switch (c) {
            case '"':
                out_.append("\\\"");
                break;
            case '\\':
                out_.append("\\\\");
                break;
            case '\n':
                out_.append("\\n");
                break;
            case '\r':
                out_.append("\\r");
                break;
            case '\t':
                out_.append("\\t");
                break;
            default:
                if (u < 0x20) {
                    char escaped[8];
                    std::snprintf(escaped, sizeof escaped, "\\u%04x", u);
                    out_.append(escaped);
                } else {
                    out_.push_back(c);
                }
        }
    }
    out_.push_back('"');
}

void JsonWriter::value(std::int64_t number) {
    beforeValue();
    out_.append(std::to_string(number));
}

void JsonWriter::valueSingle(float number) {
    beforeValue();
    writeSingle(number);
}

void JsonWriter::writeSingle(float number) {
    if (!std::isfinite(number)) {
        out_.append("null");
        return;
    }
    char text[32];
    for (int digits = 8; digits <= 9; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, static_cast<double>(number));
        if (std::strtof(text, nullptr) == number) break;
    }
    out_.append(text);
}

void JsonWriter::null() {
    beforeValue();
    out_.append("null");
}

void JsonWriter::inlineArray(const std::vector<std::int64_t>& numbers) {
    beforeValue();
    out_.push_back('[');
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) out_.append(", ");
        out_.append(std::to_string(numbers[i]));
    }
    out_.push_back(']');
}

void JsonWriter::inlineArray(const std::vector<std::optional<std::int64_t>>& numbers) {
    beforeValue();
    out_.push_back('[');
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) out_.append(", ");
        out_.append(numbers[i] ? std::to_string(*numbers[i]) : "null");
    }
    out_.push_back(']');
}

void JsonWriter::inlineArraySingle(const std::vector<float>& numbers) {
    beforeValue();
    out_.push_back('[');
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        if (i > 0) out_.append(", ");
        writeSingle(numbers[i]);
    }
    out_.push_back(']');
}

}  // namespace tavelo
