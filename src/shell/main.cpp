#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "JsonDump.h"
#include "StderrMessageSink.h"

using namespace tavelo;

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto commandLine = CommandLine::parse(args, error);
    if (!commandLine) {
        std::fprintf(stderr, "tavelo: %s\n%s", error.c_str(), CommandLine::usage().c_str());
        return 2;
    }
    switch (commandLine->mode) {
        case CommandLine::Mode::Help:
            std::fputs(CommandLine::usage().c_str(), stdout);
            return 0;
        case CommandLine::Mode::Version:
            std::puts("Tavelo 2.7.2");
            return 0;
        case CommandLine::Mode::DumpJson: {
            StderrMessageSink messages;
            const JsonDump::Result result = JsonDump::dumpFile(commandLine->file, messages);
            std::fputs(result.json.c_str(), stdout);
            return result.exitCode;
        }
        case CommandLine::Mode::Window:
            break;
    }
    std::fputs("tavelo: the window is not available in this build\n", stderr);
    return 2;
}
