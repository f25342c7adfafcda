#pragma once

#include <QImage>
#include <QTest>

#include "common/ClassicTypes.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/window/ReaderTools.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "support/FakeCommonDialog.h"

namespace tavelo::testing {

// Drives a main window as a user does and reads back what the user sees: the current document,
// the scroll position, the style, the status text, the search hits and the view's pixels. The
// window keeps its controls and state to itself; tests, the window's sequence checks and the
// benchmarks reach them through here, and the controls a test must touch itself are named as
// the window names them.
class WindowDriver {
public:
    explicit WindowDriver(frmMain& form, FakeCommonDialog* dialog = nullptr)
        : form_(form), dialog_(dialog) {}

    [[nodiscard]] frmMain& form() const { return form_; }

    // ---- What the user does

    // Opens the file through the open command, as if chosen in the dialog; without a scripted
    // dialog, as a file named on the command line.
    void open(const String& path) const {
        if (dialog_ == nullptr) {
            form_.openFile(path);
            return;
        }
        dialog_->nextFile = path;
        form_.mnuFileOpen_Click();
    }
    // A key pressed while the view has the focus.
    void press(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) const {
        QTest::keyClick(&form_.picView, key, modifiers);
    }
    // A mouse button (1 left, 2 right) pressed at a point of the view, in view pixels.
    void click(Single x, Single y, Integer button = 1, Integer shift = 0) const {
        form_.picView_MouseDown(button, shift, x, y);
    }
    // The scroll bar moved to `position`, as dragging it does.
    void scrollTo(Integer position) const { form_.hsb1.Value(position); }
    // Types `word` into the search box (without searching).
    void typeSearch(const String& word) const { form_.txtSearch.Text(word); }
    // Types `word` into the search box and presses the search button.
    void search(const String& word) const {
        typeSearch(word);
        form_.cmdSearch_Click();
    }

    // ---- What the user sees

    [[nodiscard]] Long documentCount() const { return form_.m_obViewS.Count(); }
    [[nodiscard]] CViewData& document(Long position) const {
        return form_.m_obViewS.Item(position);
    }
    // The position of the current document among the open ones; 0 without documents.
    [[nodiscard]] Integer currentIndex() const { return form_.m_ViewIndex; }
    [[nodiscard]] CViewData& current() const { return form_.m_obViewS.Item(form_.m_ViewIndex); }
    [[nodiscard]] Integer scrollValue() const { return form_.hsb1.Value(); }
    [[nodiscard]] Integer scrollMin() const { return form_.hsb1.Min(); }
    // A prose document is current: the scroll bar runs over its pages.
    [[nodiscard]] bool currentIsProse() const { return form_.currentIsProse(); }
    // The current prose document's place (its first character shown) and the page of it in
    // the present layout.
    [[nodiscard]] flow::Place prosePlace() const {
        return form_.prose_.place(form_.m_obViewS.Item(form_.m_ViewIndex).ID());
    }
    [[nodiscard]] int prosePageOfPlace() const {
        return form_.prose_.currentPage(form_.m_obViewS.Item(form_.m_ViewIndex).ID());
    }
    [[nodiscard]] bool styleCommandsEnabled() const { return form_.mnuStyleType(0).Enabled(); }
    // The reader's tools: bookmarks, contents, go to, selection, ruby and progress.
    [[nodiscard]] ReaderTools& tools() const { return *form_.tools_; }
    // The current prose document and its pages.
    [[nodiscard]] const prose::ProseDocument& proseDocument() const {
        return form_.prose_.document(form_.m_obViewS.Item(form_.m_ViewIndex).ID());
    }
    [[nodiscard]] flow::FlowLayout& proseLayout() const {
        return form_.prose_.layout(form_.m_obViewS.Item(form_.m_ViewIndex).ID());
    }
    [[nodiscard]] Integer scrollMax() const { return form_.hsb1.Max(); }
    [[nodiscard]] Integer pageStep() const { return form_.hsb1.LargeChange(); }
    // Whether style `style` (0 small, 1 large) is the checked one.
    [[nodiscard]] bool styleChecked(Integer style) const {
        return form_.mnuStyleType(style).Checked();
    }
    [[nodiscard]] String statusText() const { return form_.stb1.Panels(1).Text(); }
    [[nodiscard]] String lineNumberText() const { return form_.txtLineNumber.Text(); }
    [[nodiscard]] String searchText() const { return form_.txtSearch.Text(); }
    // Whether the search hits are shown, and the word searched last.
    [[nodiscard]] bool hitsShown() const { return form_.m_IsSearch; }
    [[nodiscard]] const String& searchWord() const { return form_.m_SearchWord; }
    [[nodiscard]] QImage& viewImage() const { return form_.picView.image(); }
    // How far the drawing is shifted for the scroll position, and that position as a part of
    // the document.
    [[nodiscard]] Long offsetX() const { return form_.m_OffsetX; }
    [[nodiscard]] Single valueRatio() const { return form_.m_ValueRatio; }
    // The file refresh reads again.
    [[nodiscard]] const String& fileName() const { return form_.m_FileName; }
    [[nodiscard]] const String& fullPathName() const { return form_.m_FullPathName; }

    // ---- The controls, for the tests of the controls themselves

    [[nodiscard]] MenuItem& mnuFile() const { return form_.mnuFile; }
    [[nodiscard]] MenuItem& mnuFileOpen() const { return form_.mnuFileOpen; }
    [[nodiscard]] MenuItem& mnuFileExportPdf() const { return form_.mnuFileExportPdf; }
    [[nodiscard]] MenuItem& mnuFilePrint() const { return form_.mnuFilePrint; }
    [[nodiscard]] MenuItem& mnuRecentFiles() const { return *form_.mnuRecentFiles; }
    [[nodiscard]] MenuItem& mnuForgetRecent() const { return *form_.mnuForgetRecent; }
    [[nodiscard]] MenuItem& mnuFollowFiles() const { return *form_.mnuFollowFiles; }
    [[nodiscard]] MenuItem& mnuEnd() const { return form_.mnuEnd; }
    [[nodiscard]] MenuItemArray& mnuID() const { return form_.mnuID; }
    [[nodiscard]] MenuItem& mnuStyle() const { return form_.mnuStyle; }
    [[nodiscard]] MenuItemArray& mnuStyleType() const { return form_.mnuStyleType; }
    [[nodiscard]] MenuItem& mnuRenewal() const { return form_.mnuRenewal; }
    [[nodiscard]] MenuItem& mnuHelp() const { return form_.mnuHelp; }
    [[nodiscard]] MenuItem& mnuAbout() const { return form_.mnuAbout; }
    [[nodiscard]] MenuItem& nmuHelpHelp() const { return form_.nmuHelpHelp; }
    [[nodiscard]] MenuItem& mnuTopic() const { return form_.mnuTopic; }
    [[nodiscard]] Toolbar& tlb1() const { return form_.tlb1; }
    [[nodiscard]] TextBox& txtSearch() const { return form_.txtSearch; }
    [[nodiscard]] CommandButton& cmdSearch() const { return form_.cmdSearch; }
    [[nodiscard]] CommandButton& cmdClear() const { return form_.cmdClear; }
    [[nodiscard]] CommandButton& cmdEnd() const { return form_.cmdEnd; }
    [[nodiscard]] HScrollBar& hsb1() const { return form_.hsb1; }
    [[nodiscard]] CommandButton& cmdHead() const { return form_.cmdHead; }
    [[nodiscard]] TextBox& txtLineNumber() const { return form_.txtLineNumber; }
    [[nodiscard]] PictureBox& picView() const { return form_.picView; }
    [[nodiscard]] StatusBar& stb1() const { return form_.stb1; }
    [[nodiscard]] CommandButton& cmdNextHit() const { return form_.cmdNextHit; }
    [[nodiscard]] CommandButton& cmdPrevHit() const { return form_.cmdPrevHit; }
    [[nodiscard]] CommonDialog& cdlFileOpen() const { return form_.cdlFileOpen; }
    [[nodiscard]] CEisuuCyotai& m_obEisuuCyotai() const { return form_.m_obEisuuCyotai; }

private:
    frmMain& form_;
    FakeCommonDialog* dialog_;
};

// The driver of a window, for one step: `drive(form).scrollValue()`.
[[nodiscard]] inline WindowDriver drive(frmMain& form) {
    return WindowDriver(form);
}

}  // namespace tavelo::testing
