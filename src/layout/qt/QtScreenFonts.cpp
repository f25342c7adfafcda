#include "QtScreenFonts.h"

#include <QFontDatabase>
#include <QString>
#include <QStringList>
#include <algorithm>

#include "common/CheckedArithmetic.h"
#include "common/Error.h"

namespace tavelo {

QtScreenFonts::QtScreenFonts() {
    QStringList families = QFontDatabase::families();
    std::sort(families.begin(), families.end());
    for (const QString& family : families) {
        if (QFontDatabase::isPrivateFamily(family)) continue;
        const String name = family.toStdU16String();
        fonts_.push_back(name);
        if (QFontDatabase::writingSystems(family).contains(QFontDatabase::Japanese))
            fonts_.push_back(u"@" + name);
    }
}

Integer QtScreenFonts::FontCount() const {
    return checked::toInteger(static_cast<std::int64_t>(fonts_.size()), "QtScreenFonts.FontCount");
}

String QtScreenFonts::Fonts(Integer i) const {
    if (i < 0 || static_cast<std::size_t>(i) >= fonts_.size())
        throw Error::subscriptOutOfRange("QtScreenFonts.Fonts");
    return fonts_[static_cast<std::size_t>(i)];
}

}  // namespace tavelo
