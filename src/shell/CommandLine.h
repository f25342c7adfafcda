#pragma once

#include <optional>
#include <string>
#include <vector>

namespace tavelo {

// What the program was asked to do on its command line.
struct CommandLine {
    enum class Mode { Window, DumpJson, Help, Version };

    Mode mode = Mode::Window;
    std::string file;                // the file of --dump-json
    std::optional<int> viewWidth;    // --view WxH
    std::optional<int> viewHeight;
    std::vector<std::string> files;  // files to open in the window

    // Parses argv (without the program name). On bad usage returns nullopt and sets `error`.
    [[nodiscard]] static std::optional<CommandLine> parse(const std::vector<std::string>& args,
                                                         std::string& error);
    [[nodiscard]] static std::string usage();
};

}  // namespace tavelo
