#include <QApplication>
#include <QGuiApplication>
#include <cstdio>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "JsonDump.h"
#include "MessageBoxSink.h"
#include "QtCommonDialog.h"
#include "StderrMessageSink.h"
#include "frmMain.h"
#include "layout/qt/FontMeasuringDevice.h"

using namespace tavelo;

namespace {

// Shows the main window until it is closed or the program is ended from its menu.
int runWindow(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QtCommonDialog commonDialog;
    MessageBoxSink messages;
    frmMain window(commonDialog, messages);
    window.show();
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
            std::puts("Tavelo 2.7.2");
            return 0;
        case CommandLine::Mode::DumpJson: {
            // Fonts are measured through Qt; without a display the measuring runs offscreen.
            if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
                qputenv("QT_QPA_PLATFORM", "offscreen");
            QGuiApplication application(argc, argv);
            FontMeasuringDevice view(
                commandLine->viewWidth.value_or(JsonDump::kDefaultViewWidth),
                commandLine->viewHeight.value_or(JsonDump::kDefaultViewHeight));
            StderrMessageSink messages;
            const JsonDump::Result result = JsonDump::dumpFile(commandLine->file, messages, view);
            std::fputs(result.json.c_str(), stdout);
            return result.exitCode;
        }
        case CommandLine::Mode::Window:
            break;
    }
    // The files named on the command line are not opened yet: the window starts empty.
    return runWindow(argc, argv);
}
