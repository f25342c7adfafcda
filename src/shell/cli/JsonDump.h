#pragma once

#include <string>

namespace tavelo {

class MeasuringDevice;
class MessageSink;

// The command line's --dump-json: reads a file exactly as the open command does, lays it out
// on the given device and describes both as one JSON object.
class JsonDump {
public:
    struct Result {
        std::string json;
        int exitCode = 0;  // 0 read, 1 could not be read at all
    };

    // `messages` receives every message of the reading as it is shown; `device` is the view the
    // layout measures.
    [[nodiscard]] static Result dumpFile(const std::string& path, MessageSink& messages,
                                         MeasuringDevice& device);
};

}  // namespace tavelo
