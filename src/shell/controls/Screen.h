#pragma once

#include "common/ClassicTypes.h"

namespace tavelo {

// The primary screen's size in twips.
class Screen {
public:
    [[nodiscard]] static Single Width();
    [[nodiscard]] static Single Height();
};

}  // namespace tavelo
