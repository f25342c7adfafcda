#include "shell/cli/CommandLineDocument.h"

#include "common/Error.h"
#include "common/ErrorText.h"
#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "layout/qt/QtScreenFonts.h"
#include "store/DocumentLoader.h"
#include "store/ReadingMessage.h"

namespace tavelo {

CommandLineDocument::CommandLineDocument(int viewWidth, int viewHeight)
    : device_(viewWidth, viewHeight) {
    fonts_.ScreenFont(QtScreenFonts());
}

bool CommandLineDocument::open(const String& path, MessageSink& messages) {
    DocumentLoader loader(messages, device_);
    loader.keepOnlyWholeCells(true);
    loader.loadFile(path, PathBytes::fileName(path));
    if (const auto message = ReadingMessage::readFailure(loader, path))
        messages.showMessage(*message);
    if (loader.readError() && !loader.readAnything()) return false;
    if (const auto& error = loader.layoutError())
        messages.showMessage(ReadingMessage::layoutFailure(*error, path));
    try {
        loader.addTo(documents_, loader.reader().FileName());
    } catch (const Error& error) {
        messages.showMessage(PathBytes::display(path) + u" を開けません。\n" + ErrorText::of(error));
        return false;
    }
    return true;
}

}  // namespace tavelo
