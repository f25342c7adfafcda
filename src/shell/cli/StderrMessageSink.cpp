#include "shell/cli/StderrMessageSink.h"

#include <cstdio>

#include "common/Utf8.h"

namespace tavelo {

void StderrMessageSink::showMessage(const String& text) {
    const std::string line = utf8::fromUtf16(text);
    std::fprintf(stderr, "%s\n", line.c_str());
}

}  // namespace tavelo
