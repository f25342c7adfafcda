#pragma once

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <memory>
#include <string>
#include <string_view>

#include "common/CodePage932.h"
#include "common/RecordingMessageSink.h"
#include "common/Utf8.h"
#include "shell/window/frmMain.h"
#include "support/FakeCommonDialog.h"
#include "support/WindowDriver.h"

namespace tavelo::testing {

// A main window with its dialogs scripted, its messages recorded and its clock set by the
// test, and a folder for the tl2 files the test writes.
class WindowFixture {
public:
    WindowFixture() {
        form = std::make_unique<frmMain>(dialog, messages);
        form->setTimeOfDay([this] { return clock; });
    }

    // Writes the text (UTF-8 in the test) as a Shift-JIS tl2 file; returns its full path.
    String writeFile(const QString& name, std::string_view text) {
        const std::string bytes = CodePage932::encode(utf8::toUtf16(text));
        return writeBytes(name, bytes);
    }
    String writeBytes(const QString& name, const std::string& bytes) {
        const QString path = folder.filePath(name);
        QFile file(path);
        if (file.open(QIODevice::WriteOnly))
            file.write(bytes.data(), static_cast<qint64>(bytes.size()));
        return path.toStdU16String();
    }
    // A document of `lines` body lines of `length` characters, each with ruby.
    String writeDocument(const QString& name, int lines, int length = 20) {
        std::string text;
        for (int g = 0; g < lines; ++g) {
            text += "ﾙﾋﾞ\r\n";
            for (int k = 0; k < length; ++k) text += (k % 2 == 0) ? "漢" : "字";
            text += "\r\n";
        }
        return writeFile(name, text);
    }

    // The window's driver, its open command answered by the fixture's dialog.
    [[nodiscard]] WindowDriver window() { return WindowDriver(*form, &dialog); }
    // Opens the file through the open command, as if chosen in the dialog.
    void open(const String& path) { window().open(path); }
    [[nodiscard]] String status() { return window().statusText(); }
    [[nodiscard]] const CViewData& current() { return window().current(); }

    QTemporaryDir folder;
    FakeCommonDialog dialog;
    RecordingMessageSink messages;
    String clock = u"9:05:31";
    std::unique_ptr<frmMain> form;
};

}  // namespace tavelo::testing
