#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "common/ClassicTypes.h"
#include "flow/FlowMetrics.h"
#include "view/ManuscriptGeometry.h"

namespace tavelo {

// What the program was asked to do on its command line.
struct CommandLine {
    enum class Mode { Window, DumpJson, Render, Pdf, Help, Version };
    enum class Style { Small, Large };
    // Which reader takes the file: by its name (.tl2 the tl2 reader, anything else the prose
    // reader), or the one --format names.
    enum class Format { ByName, Tl2, Prose };

    Mode mode = Mode::Window;
    // File names keep the bytes the system gave (PathBytes): a Shift-JIS name is opened by
    // its very bytes.
    String file;                   // the file of --dump-json, --render and --pdf
    std::optional<int> viewWidth;  // --view WxH
    std::optional<int> viewHeight;
    std::vector<String> files;       // files to open in the window
    bool noRestore = false;          // --no-restore: the window opens without the last session
    Format format = Format::ByName;  // --format tl2|prose

    // Prose documents: --page N (1-based) of --render, --zoom P of --dump-json, --render and
    // --pdf --grid screen.
    std::optional<int> pageOption;
    std::optional<int> zoomOption;
    int page = 1;
    int zoom = 100;

    // --render (and, for --out and --style, --pdf).
    std::string out;                        // --out IMAGE.png or OUT.pdf, its very bytes
    Style style = Style::Small;             // --style small|large
    int position = 0;                       // --position N
    int scale = 1;                          // --scale N: device pixels per view pixel, 1..4
    std::vector<std::string> searches;      // --search WORD, in order
    std::optional<std::uint32_t> hitColor;  // --hit-color #RRGGBB, as 0x00BBGGRR

    // --pdf: manuscript pages (--paper, --landscape or --portrait, --grid NxM, --font-size),
    // A4 landscape 40 x 30 by default, or with --grid screen the screen's pages in --style.
    bool screenPages = false;
    ManuscriptGeometry::Settings manuscript;
    bool titlePage = false;  // --title-page: prose manuscript pages after a title page

    // Parses argv (without the program name). On bad usage returns nullopt and sets `error`;
    // a manuscript grid the paper cannot hold is bad usage, its message says what fits.
    [[nodiscard]] static std::optional<CommandLine> parse(const std::vector<std::string>& args,
                                                          std::string& error);
    [[nodiscard]] static std::string usage();

    // True when `file` goes to the prose reader.
    [[nodiscard]] bool readsProse() const;
    // The flowing pages' view (--view, else the default view) and zoom.
    [[nodiscard]] flow::FlowSettings proseSettings() const;
};

}  // namespace tavelo
