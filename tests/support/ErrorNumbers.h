#pragma once

#include "common/Error.h"

namespace tavelo::testing {

// The classic number of the Error the operation throws, or 0 when it succeeds. Compare it
// with the named numbers of Error (Error::kOverflow, Error::kSubscriptOutOfRange, …) or of the
// controls (controlerrors::kInvalidPropertyValue), never with a bare number.
template <class Operation>
int errorNumberOf(Operation&& operation) {
    try {
        operation();
    } catch (const Error& e) {
        return e.number();
    }
    return 0;
}

}  // namespace tavelo::testing
