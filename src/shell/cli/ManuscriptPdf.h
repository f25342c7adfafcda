#pragma once

namespace tavelo {

struct CommandLine;
class MessageSink;

// The command line's --pdf in manuscript pages: loads the file without a window (the loader
// measuring for the classic view) and writes its pages on the grid the command line chose.
class ManuscriptPdf {
public:
    // Needs a QGuiApplication. Returns the exit status: 0 written, 1 the file could not be
    // read at all or the PDF not written (the reason on `messages` or standard error).
    [[nodiscard]] static int write(const CommandLine& commandLine, MessageSink& messages);
};

}  // namespace tavelo
