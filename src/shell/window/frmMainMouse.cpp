// The main window's mouse and drop handlers: clicks on the view that page through the
// document, the pointers that tell what a click would do, the status bar that moves the
// window, files dropped on the view, and the help and the About box.
#include <optional>

#include "shell/controls/ClassicMouse.h"
#include "shell/controls/CommonDialog.h"
#include "shell/window/HelpWindow.h"
#include "shell/controls/Screen.h"
#include "common/MessageSink.h"
#include "shell/window/frmAbout.h"
#include "shell/window/frmMain.h"
#include "view/ClickZones.h"

namespace tavelo {
namespace {

const String kWrongExtension = u"拡張子が .tl2、.txt、.zip のどれでもないのでファイルを開けません。";
const String kOnlyOneFile = u"ファイルは一つだけ選択して下さい。";

// Why a drag cannot be dropped, or nothing when it can: exactly one file whose name ends in
// ".tl2", in these letters, or in ".txt" or ".zip" (prose, in any case).
std::optional<String> refusalOf(const std::vector<String>& Files) {
    if (Files.size() != 1) return kOnlyOneFile;
    const String& file = Files.front();
    const auto endsWith = [&file](std::u16string_view extension, bool anyCase) {
        if (file.size() < extension.size()) return false;
        for (std::size_t i = 0; i < extension.size(); ++i) {
            char16_t c = file[file.size() - extension.size() + i];
            if (anyCase && c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
            if (c != extension[i]) return false;
        }
        return true;
    };
    if (endsWith(u".tl2", false) || endsWith(u".txt", true) || endsWith(u".zip", true))
        return std::nullopt;
    return kWrongExtension;
}

}  // namespace

String frmMain::GetFileName(const String& vPath) {
    // Paths here use "/"; a "\" still counts as a separator, as the classic program split.
    const auto last = vPath.find_last_of(u"/\\");
    return last == String::npos ? vPath : vPath.substr(last + 1);
}

void frmMain::setResources(ResourceLocator resources) {
    resources_ = std::move(resources);
    pointers_.reset();
}

// ---- Clicks and pointers over the view

void frmMain::picView_MouseDown(Integer Button, Integer /*Shift*/, Single X, Single /*Y*/) {
    if (m_obViewS.Count() < 1) {
        picView.MousePointer(classicmouse::kArrowPointer);
        return;
    }
    if (Button == classicmouse::kLeftButton) {
        if (const auto zone = ClickZones::zoneAt(X, picView.ScaleWidth()))
            hsb1.Value(ClickZones::positionAfterClick(*zone, hsb1.Value(), hsb1.Min(),
                                                      hsb1.LargeChange()));
    }
    hsb1.SetFocus();
}

void frmMain::picView_MouseMove(Integer /*Button*/, Integer /*Shift*/, Single X, Single /*Y*/) {
    if (m_obViewS.Count() < 1) {
        picView.MousePointer(classicmouse::kArrowPointer);
        return;
    }
    picView.MousePointer(classicmouse::kCustomPointer);
    // On a boundary the pointer shown before stays.
    const auto zone = ClickZones::zoneAt(X, picView.ScaleWidth());
    if (!zone) return;
    if (!pointers_) pointers_.emplace(resources_);
    picView.MouseIcon(pointers_->cursor(*zone));
}

void frmMain::cmdClear_MouseMove() {
    cmdClear.MousePointer(classicmouse::kArrowPointer);
}
void frmMain::cmdEnd_MouseMove() {
    cmdEnd.MousePointer(classicmouse::kArrowPointer);
}
void frmMain::cmdHead_MouseMove() {
    cmdHead.MousePointer(classicmouse::kArrowPointer);
}
void frmMain::cmdSearch_MouseMove() {
    cmdSearch.MousePointer(classicmouse::kArrowPointer);
}
void frmMain::txtLineNumber_MouseMove() {
    txtLineNumber.MousePointer(classicmouse::kArrowPointer);
}
void frmMain::txtSearch_MouseMove() {
    txtSearch.MousePointer(classicmouse::kArrowPointer);
    hsb1.MousePointer(classicmouse::kArrowPointer);
}
void frmMain::tlb1_MouseMove() {
    tlb1.MousePointer(classicmouse::kArrowPointer);
}
void frmMain::stb1_MouseMove() {
    stb1.MousePointer(classicmouse::kArrowPointer);
}

// ---- A double click on the status bar moves the window along the top of the screen

void frmMain::stb1_MouseDown(Integer Button, Integer /*Shift*/, Single X, Single /*Y*/) {
    if (Button != classicmouse::kLeftButton) return;
    const Single W = stb1.Width();
    Top(0);
    if (X < W / 4)
        Left(0);
    else if (X <= (W / 4) * 3)
        Left(Screen::Width() / 2 - Width() / 2);
    else
        Left(Screen::Width() - Width());
}

// ---- Dropping a file on the view

void frmMain::picView_OLEDragOver(const std::vector<String>& Files, Long& Effect, Integer State) {
    const auto refusal = refusalOf(Files);
    if (!refusal) {
        Effect = PictureBox::vbDropEffectCopy;
        return;
    }
    Effect = PictureBox::vbDropEffectNone;
    // Told once, as the drag comes in: the moves and the leave that follow stay silent
    // instead of putting the same message up again at every move of the mouse.
    if (State == PictureBox::vbEnter) messages_.showMessage(*refusal);
}

void frmMain::picView_OLEDragDrop(const std::vector<String>& Files) {
    // The drag-over handler has refused such a drag and said why already.
    if (refusalOf(Files)) return;
    readAndShowFile(GetFileName(Files.front()), Files.front());
}

// ---- Help and the About box

void frmMain::nmuHelpHelp_Click() {
    HelpWindow::showSingle(help_, resources_, messages_, this);
}

void frmMain::mnuAbout_Click() {
    frmAbout::showSingle(about_, messages_, windowIcon(), this);
}

}  // namespace tavelo
