#pragma once

#include <QString>

namespace tavelo {

// The program's title and version as the windows show them. The numbers come from the
// project's version in the build, so the About box cannot drift from the release.
class ApplicationInfo {
public:
    [[nodiscard]] static QString title();  // "Tavelo"
    [[nodiscard]] static int major();
    [[nodiscard]] static int minor();
    [[nodiscard]] static int revision();
};

}  // namespace tavelo
