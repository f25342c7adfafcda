#include "shell/cli/ManuscriptPdf.h"

#include <QString>
#include <cstdio>

#include "common/PathBytes.h"
#include "shell/cli/CommandLine.h"
#include "shell/cli/CommandLineDocument.h"
#include "shell/print/ManuscriptPrinter.h"

namespace tavelo {
namespace {

// The view the loader measures for: the classic window's picture box.
constexpr int kViewWidth = 449;
constexpr int kViewHeight = 624;

}  // namespace

int ManuscriptPdf::write(const CommandLine& commandLine, MessageSink& messages) {
    CommandLineDocument document(kViewWidth, kViewHeight);
    if (!document.open(commandLine.file, messages)) return 1;
    ManuscriptPrinter::Job job;
    job.view = &document.view();
    job.settings = commandLine.manuscript;
    const QString out = QString::fromStdU16String(PathBytes::fromSystem(commandLine.out));
    if (!ManuscriptPrinter::writePdf(out, job, document.fonts())) {
        std::fprintf(stderr, "tavelo: cannot write %s\n", commandLine.out.c_str());
        return 1;
    }
    return 0;
}

}  // namespace tavelo
