#include "shell/cli/CommandLine.h"

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

bool parseInteger(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    auto [p, e] = std::from_chars(text.data(), end, value);
    return e == std::errc() && p == end;
}

// "#RRGGBB" to the classic 0x00BBGGRR.
bool parseColor(const std::string& text, std::uint32_t& color) {
    if (text.size() != 7 || text[0] != '#') return false;
    std::uint32_t rgb = 0;
    auto [p, e] = std::from_chars(text.data() + 1, text.data() + 7, rgb, 16);
    if (e != std::errc() || p != text.data() + 7) return false;
    color = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

}  // namespace

std::string CommandLine::usage() {
    return "Usage: tavelo [--no-restore] [FILE...]\n"
           "       tavelo --dump-json FILE [--view WxH]\n"
           "       tavelo --render FILE --out IMAGE.png [--view WxH] [--style small|large]\n"
           "              [--position N] [--search WORD]... [--hit-color #RRGGBB]\n"
           "       tavelo --pdf FILE --out OUT.pdf [--style small|large]\n"
           "       tavelo --help | --version\n";
}

std::optional<CommandLine> CommandLine::parse(const std::vector<std::string>& args,
                                              std::string& error) {
    CommandLine result;
    bool renderOption = false;  // options of --render alone
    bool outputOption = false;  // --out and --style, for --render and --pdf
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const std::string* value = nullptr;
        auto needValue = [&](const char* option) {
            if (i + 1 >= args.size()) {
                error = std::string(option) + " needs a value";
                return false;
            }
            value = &args[++i];
            return true;
        };
        if (arg == "--help" || arg == "-h") {
            result.mode = Mode::Help;
        } else if (arg == "--version") {
            result.mode = Mode::Version;
        } else if (arg == "--no-restore") {
            result.noRestore = true;
        } else if (arg == "--dump-json" || arg == "--render" || arg == "--pdf") {
            if (!needValue(arg.c_str())) return std::nullopt;
            if (result.mode == Mode::DumpJson || result.mode == Mode::Render ||
                result.mode == Mode::Pdf) {
                error = "--dump-json, --render and --pdf take one file, once";
                return std::nullopt;
            }
            result.mode = arg == "--render" ? Mode::Render
                          : arg == "--pdf"  ? Mode::Pdf
                                            : Mode::DumpJson;
            result.file = *value;
        } else if (arg == "--view") {
            if (!needValue("--view")) return std::nullopt;
            int w = 0, h = 0;
            if (!parseSize(*value, w, h)) {
                error = "--view takes WIDTHxHEIGHT in pixels, for example 449x624";
                return std::nullopt;
            }
            result.viewWidth = w;
            result.viewHeight = h;
        } else if (arg == "--out") {
            if (!needValue("--out")) return std::nullopt;
            result.out = *value;
            outputOption = true;
        } else if (arg == "--style") {
            if (!needValue("--style")) return std::nullopt;
            if (*value != "small" && *value != "large") {
                error = "--style takes small or large";
                return std::nullopt;
            }
            result.style = *value == "large" ? Style::Large : Style::Small;
            outputOption = true;
        } else if (arg == "--position") {
            if (!needValue("--position")) return std::nullopt;
            if (!parseInteger(*value, result.position) || result.position < 0 ||
                result.position > 32767) {
                error = "--position takes a scroll position from 0 to 32767";
                return std::nullopt;
            }
            renderOption = true;
        } else if (arg == "--scale") {
            if (!needValue("--scale")) return std::nullopt;
            if (!parseInteger(*value, result.scale) || result.scale < 1 || result.scale > 4) {
                error = "--scale takes a device pixel ratio from 1 to 4";
                return std::nullopt;
            }
            renderOption = true;
        } else if (arg == "--search") {
            if (!needValue("--search")) return std::nullopt;
            result.searches.push_back(*value);
            renderOption = true;
        } else if (arg == "--hit-color") {
            if (!needValue("--hit-color")) return std::nullopt;
            std::uint32_t color = 0;
            if (!parseColor(*value, color)) {
                error = "--hit-color takes a colour as #RRGGBB";
                return std::nullopt;
            }
            result.hitColor = color;
            renderOption = true;
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
    const bool oneFile =
        result.mode == Mode::DumpJson || result.mode == Mode::Render || result.mode == Mode::Pdf;
    if (oneFile && !result.files.empty()) {
        error = "--dump-json, --render and --pdf take one file";
        return std::nullopt;
    }
    if (renderOption && result.mode != Mode::Render) {
        error = "--position, --search and --hit-color go with --render";
        return std::nullopt;
    }
    if (outputOption && result.mode != Mode::Render && result.mode != Mode::Pdf) {
        error = "--out and --style go with --render or --pdf";
        return std::nullopt;
    }
    if (result.mode == Mode::Render && result.out.empty()) {
        error = "--render needs --out IMAGE.png";
        return std::nullopt;
    }
    if (result.mode == Mode::Pdf && result.out.empty()) {
        error = "--pdf needs --out OUT.pdf";
        return std::nullopt;
    }
    if (result.viewWidth && result.mode != Mode::Render && result.mode != Mode::DumpJson) {
        error = "--view goes with --dump-json or --render";
        return std::nullopt;
    }
    return result;
}

}  // namespace tavelo
