#pragma once

namespace tavelo {

struct CommandLine;
class MessageSink;

// The command line's --render and --pdf for a prose document: page N of the flowing pages for
// --view and --zoom, with the hits of --search in --hit-color, drawn as the window draws it (at
// --scale N device pixels per view pixel) into a PNG; or every page, as text, into a PDF: with
// --grid screen the flowing pages on A4 landscape, else manuscript pages on the chosen grid and
// paper, numbered, after a title page with --title-page.
class ProseRenderer {
public:
    // Need a QApplication (the fonts). Exit statuses as for tl2: 0 drawn, 1 the file could
    // not be read or the output not written.
    [[nodiscard]] static int render(const CommandLine& commandLine, MessageSink& messages);
    [[nodiscard]] static int writePdf(const CommandLine& commandLine, MessageSink& messages);
};

}  // namespace tavelo
