#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/PathBytes.h"
#include "shell/cli/CommandLine.h"

namespace tavelo {
namespace {

using Args = std::vector<std::string>;

// Each line either parses to a mode or fails with a message holding `error`.
TEST(CommandLineTest, parsesOrRefusesWithTheReason) {
    struct Case {
        Args args;
        CommandLine::Mode mode;
        const char* error;  // empty when it parses
    };
    using Mode = CommandLine::Mode;
    const Case cases[] = {
        {{}, Mode::Window, ""},
        {{"a.tl2", "b.tl2", "--no-restore"}, Mode::Window, ""},
        {{"--", "--odd-name.tl2"}, Mode::Window, ""},
        {{"-h"}, Mode::Help, ""},
        {{"--version"}, Mode::Version, ""},
        {{"--dump-json", "a.tl2", "--view", "300x400"}, Mode::DumpJson, ""},
        {{"--render", "a.tl2", "--out", "a.png", "--search", "猫", "--position", "3"},
         Mode::Render,
         ""},
        {{"--pdf", "a.tl2", "--out", "a.pdf"}, Mode::Pdf, ""},
        {{"--render", "a.tl2", "--out", "a.png", "--scale", "4"}, Mode::Render, ""},
        {{"--render", "a", "--out", "b", "--scale", "0"}, Mode::Window, "--scale takes"},
        {{"--render", "a", "--out", "b", "--scale", "5"}, Mode::Window, "--scale takes"},
        {{"--render", "a", "--out", "b", "--scale", "1.5"}, Mode::Window, "--scale takes"},
        {{"--dump-json", "a", "--scale", "2"}, Mode::Window, "go with --render"},
        {{"--pdf", "a.tl2", "--out", "a.pdf", "--grid", "20x20", "--paper", "B5", "--portrait",
          "--font-size", "10.5"},
         Mode::Pdf,
         ""},
        {{"--pdf", "a.tl2", "--out", "a.pdf", "--grid", "screen", "--style", "large"},
         Mode::Pdf,
         ""},
        {{"--colour"}, Mode::Window, "Unknown option 'colour'"},
        {{"-colour"}, Mode::Window, "Unknown option 'colour'"},
        {{"--dump-json"}, Mode::Window, "Missing value after '--dump-json'"},
        {{"--dump-json", "a", "--pdf", "b", "--out", "c"}, Mode::Window, "take one file, once"},
        {{"--dump-json", "a", "b"}, Mode::Window, "take one file"},
        {{"--render", "a"}, Mode::Window, "--render needs --out"},
        {{"--view", "0x3", "--dump-json", "a"}, Mode::Window, "--view takes"},
        {{"--pdf", "a", "--out", "b", "--view", "3x3"}, Mode::Window, "--view goes with"},
        {{"--position", "3"}, Mode::Window, "go with --render"},
        {{"--render", "a", "--out", "b", "--position", "40000"}, Mode::Window, "--position takes"},
        {{"--render", "a", "--out", "b", "--hit-color", "red"}, Mode::Window, "#RRGGBB"},
        {{"--style", "huge"}, Mode::Window, "--style takes"},
        {{"--no-restore", "--dump-json", "a"}, Mode::Window, "--no-restore goes with"},
        {{"--pdf", "a", "--out", "b", "--grid", "0x30"}, Mode::Window, "has no cells"},
        {{"--pdf", "a", "--out", "b", "--grid", "41x31", "--font-size", "12"},
         Mode::Window,
         "at most"},
        {{"--pdf", "a", "--out", "b", "--font-size", "0"}, Mode::Window, "--font-size takes"},
        {{"--pdf", "a", "--out", "b", "--paper", "letter"}, Mode::Window, "unknown paper letter"},
        {{"a.tl2", "--paper", "A4"}, Mode::Window, "go with --pdf"},
    };
    for (const Case& c : cases) {
        std::string joined;
        for (const std::string& arg : c.args) joined += arg + " ";
        std::string error;
        const auto parsed = CommandLine::parse(c.args, error);
        if (*c.error == '\0') {
            ASSERT_TRUE(parsed) << joined << ": " << error;
            EXPECT_EQ(parsed->mode, c.mode) << joined;
        } else {
            EXPECT_FALSE(parsed) << joined;
            EXPECT_NE(error.find(c.error), std::string::npos) << joined << ": " << error;
        }
    }
}

// The values reach the program as given: the grid and paper, the search words in order, and
// file names with their bytes, a Shift-JIS name included.
TEST(CommandLineTest, valuesAndFileNames_areKept) {
    const std::string shiftJis = "/tmp/\x8A\xBF\x8E\x9A.tl2";  // 漢字.tl2
    std::string error;
    const auto pdf = CommandLine::parse(
        {"--pdf", shiftJis, "--out", "o.pdf", "--grid", "20x10", "--paper", "b4", "--portrait"},
        error);
    ASSERT_TRUE(pdf) << error;
    EXPECT_EQ(pdf->file, PathBytes::fromSystem(shiftJis));
    EXPECT_EQ(PathBytes::toSystem(pdf->file), shiftJis);
    EXPECT_EQ(pdf->out, "o.pdf");
    EXPECT_FALSE(pdf->screenPages);
    EXPECT_EQ(pdf->manuscript.charactersPerColumn, 20);
    EXPECT_EQ(pdf->manuscript.columnsPerPage, 10);
    EXPECT_EQ(pdf->manuscript.paper, ManuscriptGeometry::Paper::B4);
    EXPECT_EQ(pdf->manuscript.orientation, ManuscriptGeometry::Orientation::Portrait);
    EXPECT_FALSE(pdf->manuscript.fontSize);

    const auto window = CommandLine::parse({shiftJis, "ｕｔｆ８.tl2", "--no-restore"}, error);
    ASSERT_TRUE(window) << error;
    ASSERT_EQ(window->files.size(), 2u);
    EXPECT_EQ(PathBytes::toSystem(window->files[0]), shiftJis);
    EXPECT_EQ(window->files[1], u"ｕｔｆ８.tl2");
    EXPECT_TRUE(window->noRestore);

    const auto render = CommandLine::parse({"--render", "a", "--out", "b", "--search", "猫",
                                            "--search", "犬", "--hit-color", "#102030", "--scale",
                                            "3"},
                                           error);
    ASSERT_TRUE(render) << error;
    EXPECT_EQ(render->scale, 3);
    EXPECT_EQ(render->searches, (std::vector<std::string>{"猫", "犬"}));
    EXPECT_EQ(render->hitColor, 0x302010u);
}

}  // namespace
}  // namespace tavelo
