#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavelo {

// What the program was asked to do on its command line.
struct CommandLine {
    enum class Mode { Window, DumpJson, Render, Pdf, Help, Version };
    enum class Style { Small, Large };

    Mode mode = Mode::Window;
    std::string file;              // the file of --dump-json, --render and --pdf
    std::optional<int> viewWidth;  // --view WxH
    std::optional<int> viewHeight;
    std::vector<std::string> files;  // files to open in the window
    bool noRestore = false;          // --no-restore: the window does not reopen the last session

    // --render (and, for --out and --style, --pdf).
    std::string out;                        // --out IMAGE.png or OUT.pdf
    Style style = Style::Small;             // --style small|large
    int position = 0;                       // --position N
    int scale = 1;                          // --scale N: device pixels per view pixel, 1..4
    std::vector<std::string> searches;      // --search WORD, in order
    std::optional<std::uint32_t> hitColor;  // --hit-color #RRGGBB, as 0x00BBGGRR

    // Parses argv (without the program name). On bad usage returns nullopt and sets `error`.
    [[nodiscard]] static std::optional<CommandLine> parse(const std::vector<std::string>& args,
                                                          std::string& error);
    [[nodiscard]] static std::string usage();
};

}  // namespace tavelo
