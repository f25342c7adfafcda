#pragma once

#include <string>

#include "flow/FlowMetrics.h"
#include "shell/cli/JsonDump.h"

namespace tavelo {

class MessageSink;

// The command line's --dump-json for a prose document: the file read as the window reads it
// (the text of a zip, the encoding found, Aozora Bunko's notation), its paragraphs with ruby,
// notes and paragraph attributes, the head and the colophon, the gaiji and notes that were
// and were not understood, its length as manuscripts count it, and its flowing pages for the
// view and zoom of `settings`, as one JSON object.
class ProseJsonDump {
public:
    [[nodiscard]] static JsonDump::Result dumpFile(const std::string& path, MessageSink& messages,
                                                   const flow::FlowSettings& settings);
};

}  // namespace tavelo
