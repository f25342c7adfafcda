// The libFuzzer entry point for the Aozora Bunko notation reader: every input is a file's
// bytes, decoded and read, and the run stops, keeping the input, at the first promise of the
// reader that it breaks. A sanitizer report stops it as well.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "ProseInvariants.h"
#include "prose/AozoraReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavelo;
    const prose::ProseDocument document =
        prose::readProseBytes(std::string_view(reinterpret_cast<const char*>(data), size));
    const auto violations = fuzzing::ProseInvariants::violations(document);
    if (violations.empty()) return 0;
    for (const auto& violation : violations)
        std::fprintf(stderr, "broken: %s\n", violation.c_str());
    std::abort();
}
