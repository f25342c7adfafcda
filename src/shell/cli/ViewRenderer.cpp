#include "shell/cli/ViewRenderer.h"

#include <QImage>
#include <QString>
#include <algorithm>
#include <cstdio>

#include "shell/cli/CommandLine.h"
#include "shell/controls/HeadlessCommonDialog.h"
#include "common/PathBytes.h"
#include "common/Utf8.h"
#include "shell/window/frmMain.h"

namespace tavelo {

int ViewRenderer::render(const CommandLine& commandLine, MessageSink& messages) {
    HeadlessCommonDialog dialog;
    frmMain window(dialog, messages);
    if (commandLine.viewWidth && commandLine.viewHeight)
        window.setViewSize(*commandLine.viewWidth, *commandLine.viewHeight);
    window.openFile(commandLine.file);
    if (window.m_obViewS.Count() == 0) return 1;

    if (commandLine.style == CommandLine::Style::Large) window.mnuStyleType_Click(1);
    const int last = std::max<int>(window.hsb1.Min(), window.hsb1.Max());
    if (commandLine.position > last)
        std::fprintf(stderr, "tavelo: position %d is past the end; showing position %d\n",
                     commandLine.position, last);
    window.hsb1.Value(static_cast<Integer>(std::min(commandLine.position, last)));
    for (const std::string& word : commandLine.searches) {
        window.txtSearch.Text(utf8::toUtf16(word));
        window.cmdSearch_Click();
    }
    if (commandLine.hitColor) {
        window.cdlFileOpen.Color(static_cast<Long>(*commandLine.hitColor));
        window.hsb1_Change();  // the hits take the colour at the next redraw
    }
    if (!window.picView.image().save(QString::fromStdString(commandLine.out), "PNG")) {
        std::fprintf(stderr, "tavelo: cannot write %s\n", commandLine.out.c_str());
        return 1;
    }
    return 0;
}

int ViewRenderer::writePdf(const CommandLine& commandLine, MessageSink& messages) {
    HeadlessCommonDialog dialog;
    frmMain window(dialog, messages);
    window.openFile(commandLine.file);
    if (window.m_obViewS.Count() == 0) return 1;
    if (commandLine.style == CommandLine::Style::Large) window.mnuStyleType_Click(1);
    // The window tells the failure through the message sink, on standard error here.
    return window.writePdf(QString::fromStdString(commandLine.out),
                           DocumentPrinter::Paper::A4Landscape)
               ? 0
               : 1;
}

}  // namespace tavelo
