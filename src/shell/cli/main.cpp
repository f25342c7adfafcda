#include <QApplication>
#include <QGuiApplication>
#include <QTimer>
#include <cstdio>
#include <string>
#include <vector>

#include "common/PathBytes.h"
#include "common/Utf8.h"
#include "common/Version.h"
#include "layout/DefaultViewSize.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "shell/cli/CommandLine.h"
#include "shell/cli/JsonDump.h"
#include "shell/cli/ManuscriptPdf.h"
#include "shell/cli/ProseJsonDump.h"
#include "shell/cli/ProseRenderer.h"
#include "shell/cli/StderrMessageSink.h"
#include "shell/cli/ViewRenderer.h"
#include "shell/controls/MessageBoxSink.h"
#include "shell/controls/QtCommonDialog.h"
#include "shell/gdi/HeadlessQt.h"
#include "shell/window/frmMain.h"

using namespace tavelo;

namespace {

// Qt reads options of its own from the arguments it is given ("-style", "-platform"); the
// program's own options must not reach it.
struct QtArguments {
    explicit QtArguments(char* program) : argv{program, nullptr} {}
    int argc = 1;
    char* argv[2];
};

// Shows the main window until it is closed or the program is ended from its menu.
// Without files (and without --no-restore) the documents of the last session come back once
// the window is on the screen.
int runWindow(char* program, const std::vector<String>& files, bool restore) {
    QtArguments qt(program);
    QApplication application(qt.argc, qt.argv);
    frmMain::installQtTranslations();
    QtCommonDialog commonDialog;
    MessageBoxSink messages;
    frmMain window(commonDialog, messages);
    window.useSettings(QString());
    window.show();
    if (files.empty() && restore)
        QTimer::singleShot(0, &window, [&window] { window.restoreSession(); });
    window.openFiles(files);
    return QApplication::exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    const std::vector<std::string> args(argv + 1, argv + argc);
    std::string error;
    const auto commandLine = CommandLine::parse(args, error);
    if (!commandLine) {
        std::fprintf(stderr, "tavelo: %s\n%s", error.c_str(), CommandLine::usage().c_str());
        return 2;
    }
    switch (commandLine->mode) {
        case CommandLine::Mode::Help:
            std::fputs(CommandLine::usage().c_str(), stdout);
            return 0;
        case CommandLine::Mode::Version:
            std::printf("Tavelo %s\n", version::kText);
            return 0;
        case CommandLine::Mode::DumpJson: {
            prepareHeadlessQt();
            QtArguments qt(argv[0]);
            QGuiApplication application(qt.argc, qt.argv);
            FontMeasuringDevice view(commandLine->viewWidth.value_or(kDefaultViewWidth),
                                     commandLine->viewHeight.value_or(kDefaultViewHeight));
            StderrMessageSink messages;
            const std::string file = PathBytes::toSystem(commandLine->file);
            const JsonDump::Result result =
                commandLine->readsProse()
                    ? ProseJsonDump::dumpFile(file, messages, commandLine->proseSettings())
                    : JsonDump::dumpFile(file, messages, view);
            std::fputs(result.json.c_str(), stdout);
            return result.exitCode;
        }
        case CommandLine::Mode::Render: {
            prepareHeadlessQt();
            QtArguments qt(argv[0]);
            QApplication application(qt.argc, qt.argv);
            StderrMessageSink messages;
            return commandLine->readsProse() ? ProseRenderer::render(*commandLine, messages)
                                             : ViewRenderer::render(*commandLine, messages);
        }
        case CommandLine::Mode::Pdf: {
            prepareHeadlessQt();
            QtArguments qt(argv[0]);
            StderrMessageSink messages;
            if (!commandLine->screenPages && !commandLine->readsProse()) {
                QGuiApplication application(qt.argc, qt.argv);
                return ManuscriptPdf::write(*commandLine, messages);
            }
            QApplication application(qt.argc, qt.argv);
            return commandLine->readsProse() ? ProseRenderer::writePdf(*commandLine, messages)
                                             : ViewRenderer::writePdf(*commandLine, messages);
        }
        case CommandLine::Mode::Window:
            break;
    }
    // Files that cannot be opened are named in the window, which opens the others.
    return runWindow(argv[0], commandLine->files, !commandLine->noRestore);
}
