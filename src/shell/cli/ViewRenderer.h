#pragma once

#include <string>

namespace tavelo {

struct CommandLine;
class MessageSink;

// The command line's --render: what a freshly started window would show after the options in
// their order (view size, style, position, searches, hit colour), drawn without a window by the
// same loader, scroll positions and passes, saved as a PNG: at --scale N the view is laid out
// at its logical size and drawn N times as large, as on a screen of that pixel ratio.
class ViewRenderer {
public:
    // Needs a QApplication. Returns the exit status: 0 drawn, 1 the file could not be read
    // at all or the image not written.
    [[nodiscard]] static int render(const CommandLine& commandLine, MessageSink& messages);
    // The command line's --pdf --grid screen: the file in the chosen style, every page of
    // whole columns as the classic view shows them, as a PDF on A4 landscape. The same exit
    // statuses.
    [[nodiscard]] static int writePdf(const CommandLine& commandLine, MessageSink& messages);
};

}  // namespace tavelo
