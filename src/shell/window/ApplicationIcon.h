#pragma once

#include <QIcon>

namespace tavelo {

// The program's icon, built into the program in every size the desktop asks for, so the
// windows have it wherever the program runs from.
class ApplicationIcon {
public:
    // The sizes in pixels the icon is drawn in (square).
    static constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

    [[nodiscard]] static QIcon icon();
    // The built-in image of one size (`size` one of kSizes), for example 32 for the window.
    [[nodiscard]] static QString resourcePath(int size);
};

}  // namespace tavelo
