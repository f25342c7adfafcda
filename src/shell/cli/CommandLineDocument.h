#pragma once

#include <memory>

#include "common/ClassicTypes.h"
#include "layout/CEisuuCyotai.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "store/CViewDataS.h"

namespace tavelo {

class CViewData;
class MessageSink;

// The one document of --render and --pdf, opened as the window's open command opens it but
// without a window: read, laid out for a view of the given size, stored, with the same
// messages; and the installed fonts the passes draw with.
class CommandLineDocument {
public:
    CommandLineDocument(int viewWidth, int viewHeight);

    // False, when nothing of the file can be shown; the reasons went to `messages`.
    [[nodiscard]] bool open(const String& fullPathName, MessageSink& messages);
    [[nodiscard]] CViewData& view() { return documents_.Item(1); }
    [[nodiscard]] const CEisuuCyotai& fonts() const { return fonts_; }

private:
    FontMeasuringDevice device_;
    CViewDataS documents_;
    CEisuuCyotai fonts_;
};

}  // namespace tavelo
