#include "shell/cli/ManuscriptPdf.h"

#include <QString>
#include <cstdio>

#include "shell/cli/CommandLine.h"
#include "shell/cli/CommandLineDocument.h"
#include "layout/DefaultViewSize.h"
#include "shell/print/ManuscriptPrinter.h"

namespace tavelo {
int ManuscriptPdf::write(const CommandLine& commandLine, MessageSink& messages) {
    CommandLineDocument document(kDefaultViewWidth, kDefaultViewHeight);
    if (!document.open(commandLine.file, messages)) return 1;
    ManuscriptPrinter::Job job;
    job.view = &document.view();
    job.settings = commandLine.manuscript;
    const QString out = QString::fromStdString(commandLine.out);
    if (!ManuscriptPrinter::writePdf(out, job, document.fonts())) {
        std::fprintf(stderr, "tavelo: cannot write %s\n", commandLine.out.c_str());
        return 1;
    }
    return 0;
}

}  // namespace tavelo
