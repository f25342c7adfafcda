// The main window's commands: open, switching documents, styles and the hit colour,
// refresh, the toolbar, search and clearing the hits.
#include <QFileInfo>
#include <algorithm>
#include <string>
#include <vector>

#include "shell/controls/CommonDialog.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/controls/ToolbarButton.h"
#include "shell/print/ManuscriptPrinter.h"
#include "common/Error.h"
#include "common/ErrorText.h"
#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "common/Rounding.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "store/DocumentLoader.h"
#include "store/ReadingMessage.h"
#include "view/SearchNavigation.h"

namespace tavelo {
namespace {

const String kOpenFilter = u"tl2形式ﾌｧｲﾙ (*.tl2)|*.tl2|";

String decimal(long value) {
    const std::string text = std::to_string(value);
    return String(text.begin(), text.end());
}

// Runs one step of a command that goes on past a failing step.
template <class Step>
void step(Step&& operation) {
    try {
        operation();
    } catch (const Error&) {
    }
}

// The toolbar's style buttons show the style in effect, as the menu's check marks do: a
// check button pressed for a refused or repeated choice comes up again.
void showStyleOnToolbar(frmMain& form) {
    form.tlb1.Buttons(3).Value(form.mnuStyleType(0).Checked() ? 1 : 0);
    form.tlb1.Buttons(4).Value(form.mnuStyleType(1).Checked() ? 1 : 0);
}

// The status text of a document as the open command shows it: its ID and its line counts.
String statusOf(const CViewData& view) {
    return view.ID() + u"   " + decimal(view.GyouArraySize()) + u"行×" + decimal(view.MaxBunDan()) +
           u"段(最長)   " + ManuscriptPrinter::lengthOf(view);
}

}  // namespace

// ---- Opening a document

void frmMain::mnuFileOpen_Click() {
    cdlFileOpen.Flags(CommonDialog::cdlOFNHideReadOnly);
    cdlFileOpen.Filter(kOpenFilter);
    cdlFileOpen.ShowOpen();
    if (cdlFileOpen.FileName().empty()) return;
    openChosenFile(cdlFileOpen.FileTitle(), cdlFileOpen.FileName());
}

void frmMain::openFile(const String& fullPathName) {
    const QFileInfo file(QString::fromStdU16String(fullPathName));
    openChosenFile(file.fileName().toStdU16String(), fullPathName);
}

String frmMain::documentId(const String& separator, const String& fileName,
                           Integer replacing) const {
    const String id = timeOfDay_() + separator + fileName;
    // Two files of the same name opened within one second would share an ID: the later one
    // is numbered instead of being refused. The record being replaced gives its ID up.
    auto taken = [this, replacing](const String& key) {
        try {
            const CViewData& holder = m_obViewS.Item(key);
            return replacing == 0 || &holder != &m_obViewS.Item(replacing);
        } catch (const Error&) {
            return false;
        }
    };
    if (!taken(id)) return id;
    for (long n = 2;; ++n) {
        const String numbered = id + u" (" + decimal(n) + u")";
        if (!taken(numbered)) return numbered;
    }
}

bool frmMain::loadDocument(DocumentLoader& loader, const String& fileName,
                           const String& fullPathName) {
    loader.loadFile(fullPathName, fileName);
    if (const auto message = ReadingMessage::readFailure(loader, fullPathName))
        messages_.showMessage(*message);
    if (loader.readError() && !loader.readAnything()) return false;
    if (const auto& error = loader.layoutError())
        messages_.showMessage(ReadingMessage::layoutFailure(*error, fullPathName));
    return true;
}

void frmMain::showStatus(const String& text) {
    stb1.Panels(1).Text(String());
    stb1.Panels(1).Text(text);
}

void frmMain::openChosenFile(const String& fileTitle, const String& fullPathName) {
    if (fullPathName.empty()) return;
    picView.Refresh();
    readAndShowFile(fileTitle, fullPathName);
}

void frmMain::readAndShowFile(const String& fileName, const String& fullPathName) {
    // Copies: the names may be the dialog's own, which is emptied below.
    const String name = fileName;
    const String path = fullPathName;
    DocumentLoader loader(messages_, viewDevice_);
    loader.keepOnlyWholeCells(true);
    const bool readable = loadDocument(loader, name, path);
    const String id = documentId(u" ", loader.reader().FileName());
    cdlFileOpen.FileName(String());
    if (!readable) return;

    try {
        loader.addTo(m_obViewS, id);
    } catch (const Error& error) {
        messages_.showMessage(PathBytes::display(path) + u" を開けません。\n" +
                              ErrorText::of(error));
        return;
    }
    // Only a file that became a document is what refresh reads again: after a failed open
    // it still reloads the document on screen.
    m_FileName = name;
    m_FullPathName = path;
    m_ViewIndex = static_cast<Integer>(m_obViewS.Count());
    step([&] {
        MenuItem& entry = mnuID.Load(m_ViewIndex);
        entry.Caption(m_obViewS.Item(m_ViewIndex).ID());
        entry.Enabled(true);
        entry.Visible(true);
    });
    picView.ScaleMode(PictureBox::vbPixels);

    if (smallStyle() || largeStyle()) {
        mnuRenewal.Enabled(true);
        tlb1.Buttons(6).Enabled(true);
        tlb1.Buttons(6).Visible(true);
        txtSearch.Text(String());
        step([&] { hsb1.Value(0); });
    } else {
        mnuID(0).Visible(true);
        mnuStyle.Enabled(true);
        mnuFileExportPdf.Enabled(true);
        mnuFilePrint.Enabled(true);
        mnuStyleType(0).Checked(true);
        showStyleOnToolbar(*this);
        tlb1.Buttons(3).Enabled(true);
        tlb1.Buttons(3).Visible(true);
        tlb1.Buttons(4).Enabled(true);
        tlb1.Buttons(4).Visible(true);
        mnuRenewal.Enabled(true);
        tlb1.Buttons(6).Enabled(true);
        tlb1.Buttons(6).Visible(true);
        txtSearch.Enabled(true);
        txtSearch.Text(String());
        cmdSearch.Enabled(true);
        cmdEnd.Enabled(true);
        hsb1.Enabled(true);
        step([&] { hsb1.Value(0); });
        cmdHead.Enabled(true);
    }

    picView.Cls();
    step([&] { hsb1_Change(); });
    step([&] {
        showStatus(statusOf(m_obViewS.Item(m_ViewIndex)) +
                   ReadingMessage::statusNote(loader.reader().Conversion()));
    });
    hsb1.SetFocus();
    updateHitButtons();
}

// ---- Switching documents

void frmMain::mnuID_Click(Integer Index) {
    m_ViewIndex = Index;
    mnuRenewal.Enabled(false);
    tlb1.Buttons(6).Enabled(false);
    txtSearch.Text(String());
    hsb1.Value(0);
    const Integer n = m_obViewS.Item(m_ViewIndex).GyouArraySize();
    if (smallStyle())
        hsb1.Min(static_cast<Integer>(n - 1));
    else if (largeStyle())
        hsb1.Min(static_cast<Integer>(2 * n - 1));
    hsb1_Change();
    showStatus(m_obViewS.Item(m_ViewIndex).ID());
    hsb1.SetFocus();
    updateHitButtons();
}

// ---- Styles and the hit colour

void frmMain::mnuStyleType_Click(Integer Index) {
    if (Index == 0 || Index == 1) {
        mnuStyleType(0).Checked(Index == 0);
        mnuStyleType(1).Checked(Index == 1);
        showStyleOnToolbar(*this);
        const Integer n = m_obViewS.Item(m_ViewIndex).GyouArraySize();
        hsb1.Min(static_cast<Integer>(Index == 0 ? n - 1 : 2 * n - 1));
        if (m_ValueRatio == 0) {
            hsb1.Value(0);
        } else {
            const Integer v = rounding::roundToInteger(rounding::toSingle(
                static_cast<double>(hsb1.Min()) * static_cast<double>(m_ValueRatio)));
            // The large style lands on the upper half of a line.
            hsb1.Value(Index == 1 && v % 2 != 0 ? static_cast<Integer>(v - 1) : v);
        }
        hsb1_Change();
        updateHitButtons();
    } else if (Index == 3) {
        cdlFileOpen.CancelError(false);
        cdlFileOpen.Flags(CommonDialog::cdlOFNHideReadOnly);
        cdlFileOpen.Flags(cdlFileOpen.Flags() + CommonDialog::cdlCCRGBInit);
        // Preset to the colour in use, so that cancelling keeps it.
        step([&] { cdlFileOpen.ShowColor(); });
        // The hits take the new colour at once, not at the next scroll.
        if (m_IsSearch) hsb1_Change();
    }
    hsb1.SetFocus();
}

// ---- Refresh

void frmMain::mnuRenewal_Click() {
    DocumentLoader loader(messages_, viewDevice_);
    loader.keepOnlyWholeCells(true);
    // The current record stays until the file has been read again: a file that can no longer
    // be read leaves the document as it was.
    if (!loadDocument(loader, m_FileName, m_FullPathName)) {
        hsb1.SetFocus();
        return;
    }
    const String id = documentId(u"   ", loader.reader().FileName(), m_ViewIndex);
    bool replaced = false;
    try {
        try {
            loader.addTo(m_obViewS, id);
        } catch (const Error& error) {
            // Two refreshes within one second give the new record the ID of the one it
            // replaces: that one makes room first. Adding failed only at its key, so the same
            // copy succeeds now.
            if (error.number() != Error::kDuplicateKey ||
                &m_obViewS.Item(id) != &m_obViewS.Item(m_ViewIndex))
                throw;
            m_obViewS.Remove(m_ViewIndex);
            replaced = true;
            loader.addTo(m_obViewS, id);
        }
    } catch (const Error& error) {
        messages_.showMessage(PathBytes::display(m_FullPathName) + u" を読み直せません。\n" +
                              ErrorText::of(error));
        hsb1.SetFocus();
        return;
    }
    if (!replaced) {
        searchedWords_.erase(m_obViewS.Item(m_ViewIndex).ID());
        m_obViewS.Remove(m_ViewIndex);
    }
    searchedWords_.erase(id);  // the new record has no hits
    m_ViewIndex = static_cast<Integer>(m_obViewS.Count());
    mnuID(static_cast<Integer>(m_obViewS.Count())).Caption(m_obViewS.Item(m_ViewIndex).ID());
    picView.ScaleMode(PictureBox::vbPixels);
    hsb1_Change();
    hsb1.SetFocus();
    showStatus(m_obViewS.Item(m_ViewIndex).ID());
    updateHitButtons();
}

// ---- Toolbar

void frmMain::tlb1_ButtonClick(ToolbarButton& Button) {
    const String& key = Button.Key();
    if (key == u"ファイルを開く") {
        mnuFileOpen_Click();
    } else if (key == u"フォント小" || key == u"フォント大") {
        if (m_obViewS.Count() < 1)
            messages_.showMessage(u"まだファイルが開かれていません。");
        else
            mnuStyleType_Click(key == u"フォント小" ? 0 : 1);
        showStyleOnToolbar(*this);
    } else if (key == u"更新") {
        mnuRenewal_Click();
    }
}

// ---- Search

void frmMain::cmdSearch_Click() {
    m_SearchWord = String();
    m_SearchWord = txtSearch.Text();
    if (m_SearchWord.empty()) {
        messages_.showMessage(u"検索する単語を入力して下さい。");
        return;
    }
    CViewData& view = m_obViewS.Item(m_ViewIndex);
    // Earlier words of this document stay marked: the count is of every hit shown, each word
    // counted once however often it was searched.
    std::vector<String>& words = searchedWords_[view.ID()];
    if (std::find(words.begin(), words.end(), m_SearchWord) == words.end())
        words.push_back(m_SearchWord);
    long found = 0;
    for (const String& word : words) found += SearchNavigation::markHits(view, word);
    m_IsSearch = true;
    cmdClear.Enabled(true);
    hsb1_Change();
    showStatus(view.ID() + u"   検索「" + m_SearchWord + u"」" + decimal(found) + u"件");
    updateHitButtons();
}

void frmMain::cmdClear_Click() {
    txtSearch.Text(String());
    m_SearchWord = String();
    CViewData& view = m_obViewS.Item(m_ViewIndex);
    for (Integer g = 1; g <= view.GyouArraySize(); ++g)
        for (Integer d = 1; d <= view.LenBunDan(g); ++d) view.ReversalChar(g, d, false);
    searchedWords_.erase(view.ID());
    m_IsSearch = false;
    cmdClear.Enabled(false);
    hsb1_Change();
    showStatus(statusOf(view));
    updateHitButtons();
}

}  // namespace tavelo
