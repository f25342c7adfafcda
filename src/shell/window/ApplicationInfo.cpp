#include "shell/window/ApplicationInfo.h"

#include "common/Version.h"

namespace tavelo {

QString ApplicationInfo::title() {
    return QString::fromUtf16(version::kTitle);
}

int ApplicationInfo::major() {
    return version::kMajor;
}

int ApplicationInfo::minor() {
    return version::kMinor;
}

int ApplicationInfo::revision() {
    return version::kRevision;
}

}  // namespace tavelo
