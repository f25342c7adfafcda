// The libFuzzer entry point for the tl2 reader: every input is read as a file's bytes, and the
// run stops, keeping the input, at the first promise of the reader that it breaks. An
// exception other than the program's Error, or a sanitizer report, stops it as well.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "ReadDocument.h"
#include "ReaderInvariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace tavelo::fuzzing;
    const ReadDocument document = ReadDocument::read({data, size});
    const auto violations = ReaderInvariants::violations(document);
    if (violations.empty()) return 0;
    for (const auto& violation : violations)
        std::fprintf(stderr, "broken: %s\n", violation.c_str());
    std::abort();
}
