#include "CommandLine.h"

#include <charconv>

namespace tavelo {
namespace {

bool parseSize(const std::string& text, int& width, int& height) {
    const auto x = text.find('x');
    if (x == std::string::npos) return false;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    auto [p1, e1] = std::from_chars(begin, begin + x, width);
    auto [p2, e2] = std::from_chars(begin + x + 1, end, height);
    return e1 == std::errc() && p1 == begin + x && e2 == std::errc() && p2 == end && width > 0 &&
           height > 0 && width <= 16384 && height <= 16384;
}

}  // namespace

std::string CommandLine::usage() {
    return "Usage: tavelo [FILE...]\n"
           "       tavelo --dump-json FILE [--view WxH]\n"
           "       tavelo --help | --version\n";
}

std::optional<CommandLine> CommandLine::parse(const std::vector<std::string>& args,
                                              std::string& error) {
    CommandLine result;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        auto needValue = [&](const char* option) -> const std::string* {
            if (i + 1 >= args.size()) {
                error = std::string(option) + " needs a value";
                return nullptr;
            }
            return &args[++i];
        };
        if (arg == "--help" || arg == "-h") {
            result.mode = Mode::Help;
        } else if (arg == "--version") {
            result.mode = Mode::Version;
        } else if (arg == "--dump-json") {
            const std::string* value = needValue("--dump-json");
            if (value == nullptr) return std::nullopt;
            result.mode = Mode::DumpJson;
            result.file = *value;
        } else if (arg == "--view") {
            const std::string* value = needValue("--view");
            if (value == nullptr) return std::nullopt;
            int w = 0, h = 0;
            if (!parseSize(*value, w, h)) {
                error = "--view takes WIDTHxHEIGHT in pixels, for example 449x624";
                return std::nullopt;
            }
            result.viewWidth = w;
            result.viewHeight = h;
        } else if (arg == "--") {
            result.files.insert(result.files.end(), args.begin() + static_cast<long>(i) + 1,
                                args.end());
            break;
        } else if (arg.size() > 1 && arg[0] == '-') {
            error = "unknown option " + arg;
            return std::nullopt;
        } else {
            result.files.push_back(arg);
        }
    }
    if (result.mode == Mode::DumpJson && !result.files.empty()) {
        error = "--dump-json takes one file";
        return std::nullopt;
    }
    return result;
}

}  // namespace tavelo
