#pragma once

#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/ClassicTypes.h"

namespace tavelo {

class frmMain;

// Runs a sequence of what users do on a fresh main window and checks the window's state after
// every step. The steps are decoded from bytes, two a step (what, and with which argument), so
// that the model-based test and the fuzz target drive the window alike: opening and dropping
// files from a pool of good and bad ones, switching documents and styles, scrolling by every
// means, search, refresh, the hit colour, files changed on disk, resizing, zooming, the PDF
// export, quitting and starting again, and the reader's tools (bookmarks, go to, a drag that
// selects, copy, the ruby shown). The window keeps its session in a settings file of
// the temporary folder, as the program does in the user's, removed before every run. The
// window's dialogs are scripted and its messages recorded: nothing modal is shown.
//
// After each step:
//   - the document menu lists exactly the open documents, in order, captioned with their IDs;
//   - no document is replaced by another file, and a step that fails changes no document;
//   - the view shows the current document at the current position (a fresh draw of the same
//     state gives the same pixels), the line-number box agrees with the position, and the
//     position lies between 0 and the document's last; every eighth time, the picture is also
//     compared with a fresh render: new passes on a new surface, none of the window's caches;
//   - no modal dialog is open, and the status bar is not blank while a document is open;
//   - every bookmark of the current document has a name and a line in it; a prose selection's
//     text is the document's text between its ends, character by character; a copy puts the
//     selection on the clipboard;
//   - a file emptied on disk leaves its documents as they were;
//   - after a restart, the documents whose files can still be read are back in their order,
//     each at its place (moved into the file's new length), the same one current, in the same
//     style and zoom, and any left out are told of.
class WindowSequence {
public:
    // Writes the pool of files into a temporary folder; `sourceDir` holds the samples.
    explicit WindowSequence(const QString& sourceDir);
    ~WindowSequence();
    WindowSequence(const WindowSequence&) = delete;
    WindowSequence& operator=(const WindowSequence&) = delete;

    // Runs the steps the bytes give on a new window; the first broken invariant, with the
    // steps that led to it, or nothing when every step kept them.
    [[nodiscard]] std::optional<std::string> run(const std::uint8_t* data, std::size_t size);
    [[nodiscard]] std::optional<std::string> run(const std::vector<std::uint8_t>& bytes) {
        return run(bytes.data(), bytes.size());
    }

    // Every step run so far, by all runs, and those of them that acted: the others named a
    // control that was disabled at the time, which a user could not have used.
    [[nodiscard]] std::uint64_t stepsRun() const { return stepsRun_; }
    [[nodiscard]] std::uint64_t stepsActed() const { return stepsActed_; }

    // A deterministic sequence of `steps` steps for seed `seed`.
    [[nodiscard]] static std::vector<std::uint8_t> randomSequence(std::uint32_t seed, int steps);

private:
    struct Run;
    void writePool();

    QTemporaryDir folder_;
    std::vector<std::string> samples_;
    std::vector<String> pool_;  // the paths a step opens or drops
    std::uint64_t stepsRun_ = 0;
    std::uint64_t stepsActed_ = 0;
};

}  // namespace tavelo
