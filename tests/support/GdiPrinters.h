#pragma once

#include <ios>
#include <ostream>

#include "view/GdiTypes.h"

// Readable handles in GoogleTest failures (found by argument-dependent lookup).
namespace tavelo {

template <typename Kind>
void PrintTo(const GdiHandle<Kind>& handle, std::ostream* out) {
    *out << "handle 0x" << std::hex << handle.value() << std::dec;
}

inline void PrintTo(const HGDIOBJ& object, std::ostream* out) {
    *out << "HGDIOBJ 0x" << std::hex << object.value() << std::dec;
}

}  // namespace tavelo
