#include "Error.h"

#include <utility>

namespace tavelo {

Error::Error(std::int32_t number, std::string source, std::string description)
    : number_(number), source_(std::move(source)), description_(std::move(description)) {}

Error Error::invalidArgument(std::string source) {
    return Error(kInvalidArgument, std::move(source), "Invalid procedure call or argument");
}

Error Error::overflow(std::string source) {
    return Error(kOverflow, std::move(source), "Overflow");
}

Error Error::subscriptOutOfRange(std::string source) {
    return Error(kSubscriptOutOfRange, std::move(source), "Subscript out of range");
}

Error Error::divisionByZero(std::string source) {
    return Error(kDivisionByZero, std::move(source), "Division by zero");
}

Error Error::objectNotSet(std::string source) {
    return Error(kObjectNotSet, std::move(source),
                 "Object variable or With block variable not set");
}

}  // namespace tavelo
