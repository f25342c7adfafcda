#pragma once

#include <string>
#include <vector>

#include "common/ClassicTypes.h"

namespace tavelo::bench {

// A document the benchmarks open: its name in the tables and the file written for it.
struct BenchDocument {
    std::string name;
    std::string bytes;
    String path;  // in a folder that lives as long as the program
};

// The two largest documents the reader takes ("full": 32,766 bytes of full lines with ruby;
// "lines": 1000 short lines with ruby) and a typical one of a few kilobytes, written once.
[[nodiscard]] const std::vector<BenchDocument>& benchDocuments();
[[nodiscard]] const BenchDocument& benchDocument(const std::string& name);

// The resident memory of this process in bytes, and the bytes malloc holds in use.
[[nodiscard]] long residentBytes();
[[nodiscard]] long heapBytesInUse();

}  // namespace tavelo::bench
