#include "ApplicationInfo.h"

namespace tavelo {

QString ApplicationInfo::title() {
    return QStringLiteral("Tavelo");
}

int ApplicationInfo::major() {
    return TAVELO_VERSION_MAJOR;
}

int ApplicationInfo::minor() {
    return TAVELO_VERSION_MINOR;
}

int ApplicationInfo::revision() {
    return TAVELO_VERSION_REVISION;
}

}  // namespace tavelo
