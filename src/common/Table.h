#pragma once

#include <algorithm>
#include <cstddef>
#include <vector>

#include "Error.h"

namespace tavelo {

// A one-dimensional array with declared bounds (lower..upper). An index outside the bounds,
// or any index before the table has been dimensioned, is a subscript-out-of-range failure;
// nothing is ever clamped. `name` is the source reported with the failure.
template <class T>
class Table {
public:
    explicit Table(const char* name) : name_(name) {}
    Table(const char* name, long lower, long upper) : name_(name) { redim(lower, upper); }

    // ReDim: fresh default values; an empty range (upper < lower) leaves no element.
    void redim(long lower, long upper) {
        lower_ = lower;
        upper_ = upper;
        dimensioned_ = true;
        values_.assign(upper >= lower ? static_cast<std::size_t>(upper - lower + 1) : 0, T{});
    }

    // ReDim Preserve: keeps the elements that remain inside the new bounds.
    void redimPreserve(long upper) {
        if (!dimensioned_) throw Error::subscriptOutOfRange(name_);
        upper_ = upper;
        values_.resize(upper >= lower_ ? static_cast<std::size_t>(upper - lower_ + 1) : 0);
    }

    void erase() {
        dimensioned_ = false;
        values_.clear();
    }

    [[nodiscard]] bool dimensioned() const { return dimensioned_; }
    [[nodiscard]] bool contains(long index) const {
        return dimensioned_ && index >= lower_ && index <= upper_;
    }
    [[nodiscard]] long lower() const { return checkedBound(lower_); }
    [[nodiscard]] long upper() const { return checkedBound(upper_); }

    [[nodiscard]] T& at(long index) {
        if (!contains(index)) throw Error::subscriptOutOfRange(name_);
        return values_[static_cast<std::size_t>(index - lower_)];
    }
    [[nodiscard]] const T& at(long index) const {
        if (!contains(index)) throw Error::subscriptOutOfRange(name_);
        return values_[static_cast<std::size_t>(index - lower_)];
    }

    // Sets every element to its default value, keeping the bounds.
    void fillDefault() { values_.assign(values_.size(), T{}); }

    [[nodiscard]] std::size_t byteSize() const { return values_.capacity() * sizeof(T); }

private:
    [[nodiscard]] long checkedBound(long bound) const {
        if (!dimensioned_) throw Error::subscriptOutOfRange(name_);
        return bound;
    }

    const char* name_;
    long lower_ = 0;
    long upper_ = -1;
    bool dimensioned_ = false;
    std::vector<T> values_;
};

// A two-dimensional array with declared bounds in both dimensions, the same failure rules.
template <class T>
class Table2 {
public:
    explicit Table2(const char* name) : name_(name) {}

    void redim(long lower1, long upper1, long lower2, long upper2) {
        lower1_ = lower1;
        upper1_ = upper1;
        lower2_ = lower2;
        upper2_ = upper2;
        dimensioned_ = true;
        width_ = extent(lower2, upper2);
        values_.assign(extent(lower1, upper1) * width_, T{});
    }

    // ReDim Preserve of the last dimension: every element that stays inside the new bounds
    // keeps its value, new elements get the default value.
    void redimPreserveLast(long upper2) {
        if (!dimensioned_) throw Error::subscriptOutOfRange(name_);
        const std::size_t rows = extent(lower1_, upper1_);
        const std::size_t width = extent(lower2_, upper2);
        std::vector<T> values(rows * width, T{});
        const std::size_t kept = std::min(width, width_);
        for (std::size_t row = 0; row < rows; ++row)
            for (std::size_t column = 0; column < kept; ++column)
                values[row * width + column] = values_[row * width_ + column];
        values_.swap(values);
        width_ = width;
        upper2_ = upper2;
    }

    void erase() {
        dimensioned_ = false;
        values_.clear();
    }

    [[nodiscard]] bool dimensioned() const { return dimensioned_; }
    [[nodiscard]] bool contains(long i, long j) const {
        return dimensioned_ && i >= lower1_ && i <= upper1_ && j >= lower2_ && j <= upper2_;
    }
    [[nodiscard]] long upper1() const { return upper1_; }
    [[nodiscard]] long upper2() const { return upper2_; }

    [[nodiscard]] T& at(long i, long j) {
        if (!contains(i, j)) throw Error::subscriptOutOfRange(name_);
        return values_[static_cast<std::size_t>(i - lower1_) * width_ +
                       static_cast<std::size_t>(j - lower2_)];
    }
    [[nodiscard]] const T& at(long i, long j) const {
        if (!contains(i, j)) throw Error::subscriptOutOfRange(name_);
        return values_[static_cast<std::size_t>(i - lower1_) * width_ +
                       static_cast<std::size_t>(j - lower2_)];
    }

    [[nodiscard]] std::size_t byteSize() const { return values_.capacity() * sizeof(T); }

private:
    [[nodiscard]] static std::size_t extent(long lower, long upper) {
        return upper >= lower ? static_cast<std::size_t>(upper - lower + 1) : 0;
    }

    const char* name_;
    long lower1_ = 0, upper1_ = -1, lower2_ = 0, upper2_ = -1;
    std::size_t width_ = 0;
    bool dimensioned_ = false;
    std::vector<T> values_;
};

}  // namespace tavelo
