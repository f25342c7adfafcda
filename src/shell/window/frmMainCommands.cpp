// The main window's commands: open, switching documents, styles and the hit colour,
// refresh, the toolbar, search and clearing the hits.
#include <QFileInfo>
#include <QScopedValueRollback>
#include <algorithm>
#include <string>
#include <vector>

#include "common/Error.h"
#include "common/ErrorText.h"
#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "common/Rounding.h"
#include "shell/controls/CommonDialog.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/controls/ToolbarButton.h"
#include "shell/print/ManuscriptPrinter.h"
#include "shell/window/StatusMessages.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "store/DocumentLoader.h"
#include "store/ReadingMessage.h"
#include "view/ScrollPosition.h"
#include "view/SearchNavigation.h"

namespace tavelo {
namespace {

const String kOpenFilter =
    u"tl2形式ﾌｧｲﾙ (*.tl2)|*.tl2|テキスト (*.txt *.zip)|*.txt;*.zip|すべてのファイル (*)|*|";

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

// The status text of a document as the open command shows it: its ID and its line counts.

}  // namespace

// The toolbar's style buttons show the style in effect, as the menu's check marks do: a
// check button pressed for a refused or repeated choice comes up again.
void frmMain::showStyleOnToolbar() {
    tlb1.Buttons(3).Value(smallStyle() ? 1 : 0);
    tlb1.Buttons(4).Value(largeStyle() ? 1 : 0);
}

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
                           const String& fullPathName, MessageSink& sink) {
    loader.loadFile(fullPathName, fileName);
    if (const auto message = ReadingMessage::readFailure(loader, fullPathName))
        sink.showMessage(*message);
    if (loader.readError() && !loader.readAnything()) return false;
    if (const auto& error = loader.layoutError())
        sink.showMessage(ReadingMessage::layoutFailure(*error, fullPathName));
    return true;
}

String frmMain::statusText(const CViewData& view) {
    if (prose_.holds(view.ID())) return prose_.status(view.ID());
    return view.ID() + u"   " + decimal(view.GyouArraySize()) + u"行×" + decimal(view.MaxBunDan()) +
           u"段(最長)   " + ManuscriptPrinter::lengthOf(view);
}

void frmMain::showStatus(const String& text) {
    status_->showNormal(text);
}

void frmMain::showPassingStatus(const String& text, int milliseconds) {
    status_->showPassing(text, milliseconds);
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
    // Taken before the reading: a save made while it runs is still followed.
    const auto readAs = FileFollower::signatureOf(QString::fromStdU16String(path));
    // The session is written once the document is at its remembered place.
    const QScopedValueRollback<bool> opening(opening_, true);
    MessageSink& said = readingMessages();
    DocumentLoader loader(said, viewDevice_);
    loader.keepOnlyWholeCells(true);
    const bool readable = loadAnyDocument(loader, name, path, said);
    const String id = documentId(u" ", loader.reader().FileName());
    cdlFileOpen.FileName(String());
    if (!readable) return;

    try {
        loader.addTo(m_obViewS, id);
    } catch (const Error& error) {
        prose_.discardRead();
        said.showMessage(PathBytes::display(path) + u" を開けません。\n" + ErrorText::of(error));
        return;
    }
    if (prose_.hasRead()) prose_.adopt(id, proseSettings());
    // Only a file that became a document is what refresh reads again: after a failed open
    // it still reloads the document on screen.
    m_FileName = name;
    m_FullPathName = path;
    rememberCurrentPlace();
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
        showStyleOnToolbar();
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
        txtLineNumber.Enabled(true);
    }

    picView.Cls();
    step([&] { hsb1_Change(); });
    step([&] {
        showStatus(statusText(m_obViewS.Item(m_ViewIndex)) +
                   ReadingMessage::statusNote(loader.reader().Conversion()));
    });
    hsb1.SetFocus();
    updateHitButtons();
    documentOpened(QString::fromStdU16String(path), readAs);
}

// ---- Switching documents

void frmMain::mnuID_Click(Integer Index) {
    const Integer leaving = m_ViewIndex;
    rememberCurrentPlace();
    m_ViewIndex = Index;
    // Refresh reads whichever document is current.
    mnuRenewal.Enabled(true);
    tlb1.Buttons(6).Enabled(true);
    txtSearch.Text(String());
    // Each document comes back where it was left; choosing the current one goes back to its
    // beginning.
    const String& id = m_obViewS.Item(m_ViewIndex).ID();
    const auto kept = places_.find(id);
    SessionSettings::Place place;
    if (Index != leaving && kept != places_.end()) place = kept->second;
    places_.erase(id);
    showAtPlace(place);
    showStatus(currentIsProse() ? statusText(m_obViewS.Item(m_ViewIndex))
                                : m_obViewS.Item(m_ViewIndex).ID());
    hsb1.SetFocus();
    updateHitButtons();
}

// ---- Styles and the hit colour

void frmMain::mnuStyleType_Click(Integer Index) {
    if (Index == 0 || Index == 1) {
        mnuStyleType(0).Checked(Index == 0);
        mnuStyleType(1).Checked(Index == 1);
        showStyleOnToolbar();
        const ScrollPosition positions = ScrollPosition::of(m_obViewS.Item(m_ViewIndex), Index);
        hsb1.Min(positions.last());
        hsb1.Value(positions.afterStyleSwitch(m_ValueRatio));
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
    // The current document is read again from its own file, whichever it is; a file that can
    // no longer be read leaves the document as it was.
    if (m_obViewS.Count() > 0) reloadDocument(m_ViewIndex, messages_, false);
    hsb1.SetFocus();
}

bool frmMain::reloadDocument(Integer index, MessageSink& sink, bool keepHits) {
    const CViewData& old = m_obViewS.Item(index);
    const String path = old.FullPathName();
    const String name = old.FileName();
    const String oldId = old.ID();
    const SessionSettings::Place place = placeOfDocument(index);
    DocumentLoader loader(sink, viewDevice_);
    loader.keepOnlyWholeCells(true);
    if (!loadAnyDocument(loader, name, path, sink)) return false;
    // Two readings within one second give the new record the ID of the one it replaces.
    const String id = documentId(u"   ", loader.reader().FileName(), index);
    try {
        loader.replaceIn(m_obViewS, index, id);
    } catch (const Error& error) {
        prose_.discardRead();
        sink.showMessage(PathBytes::display(path) + u" を読み直せません。\n" +
                         ErrorText::of(error));
        return false;
    }
    if (prose_.hasRead()) {
        // The same character stays in view, or the nearest that is still there.
        const std::optional<flow::Place> kept =
            prose_.holds(oldId) ? std::optional(prose_.place(oldId)) : std::nullopt;
        prose_.remove(oldId);
        prose_.adopt(id, proseSettings(), kept);
    }
    CViewData& view = m_obViewS.Item(index);
    std::vector<String> words;
    if (const auto searched = searchedWords_.find(oldId); searched != searchedWords_.end()) {
        words = std::move(searched->second);
        searchedWords_.erase(searched);
    }
    if (keepHits && !words.empty()) {
        for (const String& word : words) SearchNavigation::markHits(view, word);
        searchedWords_[id] = std::move(words);
    }
    places_.erase(oldId);
    if (index != m_ViewIndex) places_[id] = place.clampedTo(view.GyouArraySize());
    step([&] { mnuID(index).Caption(id); });
    if (index == m_ViewIndex) {
        picView.ScaleMode(PictureBox::vbPixels);
        showAtPlace(place);
        showStatus(currentIsProse() ? statusText(view) : id);
        updateHitButtons();
    }
    saveSession();
    return true;
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
        showStyleOnToolbar();
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
    long foundOfWord = 0;
    if (currentIsProse()) {
        found = prose_.search(view.ID(), m_SearchWord);
        foundOfWord = prose_.hitsOf(view.ID(), m_SearchWord);
    } else {
        for (const String& word : words) {
            const long hits = SearchNavigation::markHits(view, word);
            found += hits;
            if (word == m_SearchWord) foundOfWord = hits;
        }
    }
    m_IsSearch = true;
    cmdClear.Enabled(true);
    hsb1_Change();
    // The count is the word's own; the words searched before it stay marked and are added up
    // apart.
    String text = view.ID() + u"   検索「" + m_SearchWord + u"」" + decimal(foundOfWord) + u"件";
    if (words.size() > 1)
        text +=
            u"(" + decimal(static_cast<long>(words.size())) + u"語で計" + decimal(found) + u"件)";
    showStatus(text);
    updateHitButtons();
    // The keys go back to the view, to read on from the hits.
    hsb1.SetFocus();
}

void frmMain::cmdClear_Click() {
    txtSearch.Text(String());
    m_SearchWord = String();
    CViewData& view = m_obViewS.Item(m_ViewIndex);
    for (Integer g = 1; g <= view.GyouArraySize(); ++g)
        for (Integer d = 1; d <= view.LenBunDan(g); ++d) view.ReversalChar(g, d, false);
    searchedWords_.erase(view.ID());
    if (currentIsProse()) prose_.clearHits(view.ID());
    m_IsSearch = false;
    cmdClear.Enabled(false);
    hsb1_Change();
    showStatus(statusText(view));
    updateHitButtons();
}

}  // namespace tavelo
