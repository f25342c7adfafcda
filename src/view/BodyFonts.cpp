#include "view/BodyFonts.h"

#include "common/Error.h"
#include "layout/CEisuuCyotai.h"

namespace tavelo {

const LOGFONTA& BodyFonts::at(const String& shortName, LONG height) {
    if (height != height_) {
        records_.clear();
        height_ = height;
    }
    auto found = records_.find(shortName);
    if (found == records_.end()) {
        String face;
        try {
            face = fonts_.ChangeLongFontName(shortName);
        } catch (const Error&) {
        }
        found = records_.emplace(shortName, textFontRecord(height, 2700, face)).first;
    }
    return found->second;
}

}  // namespace tavelo
