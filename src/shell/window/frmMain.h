#pragma once

#include <QMainWindow>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "shell/controls/CommandButton.h"
#include "shell/print/DocumentPrinter.h"
#include "shell/controls/HScrollBar.h"
#include "shell/gdi/MFontDraw.h"
#include "shell/controls/MenuItem.h"
#include "shell/controls/MenuItemArray.h"
#include "shell/controls/PictureBox.h"
#include "shell/window/PointerImages.h"
#include "shell/window/ProseDocumentView.h"
#include "shell/window/FileFollower.h"
#include "shell/window/ResourceLocator.h"
#include "shell/window/SessionSettings.h"
#include "shell/controls/StatusBar.h"
#include "shell/controls/TextBox.h"
#include "shell/controls/Toolbar.h"
#include "common/ClassicTypes.h"
#include "layout/CEisuuCyotai.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "store/CViewDataS.h"
#include "view/DocumentPainter.h"
#include "view/WheelSteps.h"

namespace tavelo {

class CommonDialog;
class DocumentLoader;
class HelpWindow;
class MessageSink;
class PrintDialogs;
class ReaderTools;
struct PrintChoice;
class frmAbout;
class StatusMessages;
class ToolbarButton;
namespace testing {
class WindowDriver;
}

// The main window: menus, toolbar, search controls, scroll bar, view and status bar, and the
// state the command handlers share. Construction lays the window out and leaves it in the
// state without documents (Form_Load).
//
// Sizes: the client area under the menu bar is 451 x 682 pixels (6765 x 10230 twips): the
// toolbar row and the status bar are 28 pixels high, and the view between them has a
// drawing area of 449 x 624 pixels inside its one-pixel border. That is the size the window
// opens at where the screen holds it; it can be resized, maximised and shown full screen, and
// the view follows it (frmMainView.cpp).
//
// The controls and the state the handlers share are the window's own, named as the handlers
// know them; the command handlers are public. The window takes the common dialog and the
// message sink from outside, so that tests can stand in for both.
class frmMain : public QMainWindow {
    Q_OBJECT
public:
    frmMain(CommonDialog& commonDialog, MessageSink& messages, QWidget* parent = nullptr);
    ~frmMain() override;
    frmMain(const frmMain&) = delete;
    frmMain& operator=(const frmMain&) = delete;

    // The window's position and outer size on the screen, in twips.
    [[nodiscard]] Single Left() const;
    void Left(Single vNewValue);
    [[nodiscard]] Single Top() const;
    void Top(Single vNewValue);
    [[nodiscard]] Single Width() const;
    [[nodiscard]] Single Height() const;
    // The client area under the menu bar, in twips.
    [[nodiscard]] Single ScaleLeft() const { return 0; }
    [[nodiscard]] Single ScaleWidth() const;
    [[nodiscard]] Single ScaleHeight() const;

    [[nodiscard]] MessageSink& messages() const { return messages_; }

    // Qt's own dialogs and context menus in Japanese, as the program's texts are: loads
    // qtbase_ja from Qt's translations folder into the application, once. False when the
    // translations are not installed; Qt's texts then stay English.
    static bool installQtTranslations();

    // The command handlers, named after the control and event they answer. They are public
    // so that the command line and the tests can drive the window as a user would.
    void mnuFileOpen_Click();
    // The current document, in the current style, as a PDF file or on a printer, page by
    // page of whole columns (frmMainPrint.cpp).
    void mnuFileExportPdf_Click();
    void mnuFilePrint_Click();
    void mnuID_Click(Integer Index);
    void mnuStyleType_Click(Integer Index);
    void mnuRenewal_Click();
    void tlb1_ButtonClick(ToolbarButton& Button);
    void hsb1_Change();
    void cmdHead_Click();
    void cmdEnd_Click();
    void cmdSearch_Click();
    void cmdClear_Click();
    // Search navigation: the next and the previous line (in the large style, tier) holding a
    // hit comes first in the view, round the end of the document.
    void cmdNextHit_Click();
    void cmdPrevHit_Click();
    // Enter in the line-number box: the line typed there comes first in the view.
    void txtLineNumber_Return();
    // Moves the view by whole positions in the reading direction (positive: forward).
    void scrollBy(int positions);
    // The mouse, the drops, the help and the About box (frmMainMouse.cpp).
    void picView_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void picView_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void picView_OLEDragOver(const std::vector<String>& Files, Long& Effect, Integer State);
    void picView_OLEDragDrop(const std::vector<String>& Files);
    // Answers a double click on the status bar: the window goes along the top of the screen.
    void stb1_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void cmdClear_MouseMove();
    void cmdEnd_MouseMove();
    void cmdHead_MouseMove();
    void cmdSearch_MouseMove();
    void txtLineNumber_MouseMove();
    void txtSearch_MouseMove();
    void tlb1_MouseMove();
    void stb1_MouseMove();
    void nmuHelpHelp_Click();
    void mnuAbout_Click();
    // The name of a file without its folder: what follows the last "/" or "\".
    [[nodiscard]] static String GetFileName(const String& vPath);

    // Opens a file named on the command line exactly as if it had been chosen in the open
    // dialog.
    void openFile(const String& fullPathName);
    // Opens the files named together (on the command line), each that can be read becoming a
    // document. What stood in the way (files that are missing or not files, what the readings
    // had to say) comes in one message at the end instead of stopping at the first.
    void openFiles(const std::vector<String>& fullPathNames);
    // The time of day the document IDs are made of; tests set a clock of their own.
    void setTimeOfDay(std::function<String()> timeOfDay) { timeOfDay_ = std::move(timeOfDay); }
    // Gives the view's drawing area another size, for the command line's --view. Documents
    // opened afterwards are laid out for it.
    void setViewSize(int width, int height);
    [[nodiscard]] MFontDraw& surface() { return surface_; }
    // What the passes are given to draw the current position: its offset, the search marks,
    // the colours and the view's width.
    [[nodiscard]] PaintState paintState() const;
    // Draws as the plain design does, for measurements and for the tests that compare the
    // two: every line of the document, and a fresh font, shaping and glyph image for every
    // character. The pixels are the same either way.
    void setBaselineDrawing(bool baseline);
    // What the print commands print: the current document as the view shows it.
    [[nodiscard]] DocumentPrinter::Job printJob() const;
    // Writes the current document as a PDF file without asking anything; false (and a
    // message) when there is no document or the file cannot be written.
    bool writePdf(const QString& path, DocumentPrinter::Paper paper);
    // The same with the pages the page dialog chose: manuscript pages or the screen's.
    bool writePdf(const QString& path, const PrintChoice& choice);
    // The dialogs of the print commands; Qt's own unless a test gives others.
    void setPrintDialogs(std::unique_ptr<PrintDialogs> dialogs);
    // Where the help and the pointer images are found; the program's own folders unless a
    // test gives others.
    void setResources(ResourceLocator resources);

    // The reading view (frmMainView.cpp). Lays every open document out again for the view's
    // present size and zoom and redraws at the same scroll position.
    void followViewSize();
    // The text scale in percent, 50 to 100 for tl2 documents (where the columns fill the
    // view), to 400 for prose; 100 gives the sizes the view's height gives.
    [[nodiscard]] int zoomPercent() const { return zoomPercent_; }
    void zoomTo(int percent);
    void zoomStep(int steps);
    void toggleFullScreen();
    // The view's paper and ink: 0 white (the default), 1 sepia, 2 dark, 3 the custom colours.
    enum PaperPreset : int { kPaperWhite = 0, kPaperSepia = 1, kPaperDark = 2, kPaperCustom = 3 };
    [[nodiscard]] int paperPreset() const { return paperPreset_; }
    void paperPresetTo(int preset);
    void setCustomPaper(Long paper, Long ink);

    // ---- What the window keeps between runs, and the watch on its files (frmMainSession.cpp)

    // Remembers the session in the settings file of `folder` (the user's configuration
    // folder when empty): reads it now, takes the window's place, the style and the hit
    // colour from it, and from now on writes every change. Without it the window remembers
    // nothing (the tests' windows).
    void useSettings(const QString& folder);
    [[nodiscard]] SessionSettings* settings() const { return settings_.get(); }
    // Reopens the documents that were open, in their menu order, each at its place, the same
    // one current. Files that are gone are skipped and listed in one message at the end.
    void restoreSession();
    // Hands the whole session to the settings (written when they next write).
    void saveSession();
    // Reads document number `index` again from its file and puts it in its own place in the
    // list and the menu, at the same first line (clamped to the new end). Following the file
    // keeps the highlighted words; refresh, as ever, clears them. False, with the record
    // unchanged and the reason given to `sink`, when the file cannot be read.
    bool reloadDocument(Integer index, MessageSink& sink, bool keepHits);
    // The recent-file menu's entry for `path`: opens it, or says it is gone and drops it.
    void openRecentFile(const QString& path);
    void mnuForgetRecent_Click();
    void mnuFollowFiles_Click();
    [[nodiscard]] FileFollower& fileFollower() { return *follower_; }
    // Where document number `index` is read: the view's position for the current one, the
    // remembered one for the others.
    [[nodiscard]] SessionSettings::Place placeOfDocument(Integer index) const;

private:
    // The tests' window driver reads the controls and the state the way the user sees them.
    friend class testing::WindowDriver;
    // The reader's tools work the controls and the documents as the handlers do.
    friend class ReaderTools;

    // Declared first: the controls below are its children.
    QWidget* client_;

    // Menus, in the order they stand on the menu bar.
    MenuItem mnuFile;
    MenuItem mnuFileOpen;
    MenuItem mnuFileExportPdf;
    MenuItem mnuFilePrint;
    // Between the print command and the separator above the end command (frmMainSession.cpp).
    std::unique_ptr<MenuItem> Kubunsen1_2;
    std::unique_ptr<MenuItem> mnuRecentFiles;  // its entries are rebuilt from the settings
    std::unique_ptr<MenuItem> mnuForgetRecent;
    std::unique_ptr<MenuItem> mnuFollowFiles;  // checked: documents follow their files
    MenuItem Kubunsen1_1;
    MenuItem mnuEnd;
    MenuItemArray mnuID;  // 0 is the separator above the document entries
    MenuItem mnuStyle;
    MenuItemArray mnuStyleType;  // 0 small, 1 large, 2 separator, 3 search-hit colour
    MenuItem mnuRenewal;
    MenuItem mnuHelp;
    MenuItem mnuAbout;
    MenuItem nmuHelpHelp;
    MenuItem mnuTopic;

    // Controls, from back to front.
    Toolbar tlb1;
    TextBox txtSearch;
    CommandButton cmdSearch;
    CommandButton cmdClear;
    CommandButton cmdEnd;
    HScrollBar hsb1;
    CommandButton cmdHead;
    TextBox txtLineNumber;
    PictureBox picView;
    StatusBar stb1;
    // In the status bar's right end: to the next and the previous line holding a hit.
    CommandButton cmdNextHit;
    CommandButton cmdPrevHit;
    CommonDialog& cdlFileOpen;  // also holds the search-hit colour

    // Form variables shared by the command handlers; the two objects live as long as the
    // window.
    CViewDataS m_obViewS;
    CEisuuCyotai m_obEisuuCyotai;
    Integer m_ViewIndex = 0;
    String m_FileName;
    String m_FullPathName;
    Long m_OffsetX = 0;
    Single m_ValueRatio = 0;
    bool m_IsSearch = false;
    String m_SearchWord;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void fitClassicSize(int clientWidth, int clientHeight);
    void setUpReadingView();
    void placeControls();
    void layOutDevice();
    [[nodiscard]] int largestZoom() const;  // for the current document's kind
    void zoomByWheel(int angle);
    void paintColors(PaintState& state) const;
    void designLayout();
    void setUpKeys();
    void updateHitButtons();
    void showStyleOnToolbar();
    void Form_Load();
    void connectHandlers();
    void mnuEnd_Click();

    // The passes of the current document with the window's state.
    void DrawSmallBun();
    void DrawBigBun(Integer tier);
    void DrawSmallRubi();
    void DrawBigRubi(Integer tier);
    [[nodiscard]] bool smallStyle() const { return mnuStyleType(0).Checked(); }
    [[nodiscard]] bool largeStyle() const { return mnuStyleType(1).Checked(); }
    // The style in effect: 1 when the large style is checked, else 0.
    [[nodiscard]] Integer currentStyle() const;

    // Prose documents (frmMainProse.cpp). The reading of open, drop and refresh for both
    // kinds: a prose file is read for the prose view and stands in the collection as an empty
    // record; false when nothing of it can be shown.
    bool loadAnyDocument(DocumentLoader& loader, const String& fileName,
                         const String& fullPathName, MessageSink& sink);
    [[nodiscard]] bool currentIsProse() const;
    [[nodiscard]] flow::FlowSettings proseSettings() const;
    // The scroll bar over the current prose document's pages, at the page of its place.
    void showProseAtPlace();
    // The scroll bar's Change for a prose document: the page at its value.
    void showProsePage();
    // The tl2-only commands (the two styles) are off while a prose document is current.
    void enableStyleCommands(bool enabled);
    [[nodiscard]] String statusText(const CViewData& view);
    // The next (previous) page with a hit, round the end.
    void goToProseHit(bool forward);

    // The part of the open command after the file is known, shared with the command line.
    void openChosenFile(const String& fileTitle, const String& fullPathName);
    // The open command from its reading step on, shared with the drop: reads the file under
    // `fileName`, lays it out, stores it and shows it. m_FileName and m_FullPathName, what
    // refresh reads again, name it only once it has been added.
    void readAndShowFile(const String& fileName, const String& fullPathName);
    // Reads and lays out the file, telling the user what stopped the reading; false when
    // nothing of it can be shown.
    bool loadDocument(DocumentLoader& loader, const String& fileName, const String& fullPathName,
                      MessageSink& sink);
    // The document ID: the time of day, the separator and the file name, made unique among
    // the open documents other than number `replacing` (the record a refresh replaces).
    [[nodiscard]] String documentId(const String& separator, const String& fileName,
                                    Integer replacing = 0) const;
    // The status bar: the normal text, or a message that gives way to it after a while.
    void showStatus(const String& text);
    void showPassingStatus(const String& text, int milliseconds);
    // Where the readings' messages go: one message box each, or a summary being gathered.
    [[nodiscard]] MessageSink& readingMessages() const {
        return gathered_ != nullptr ? *gathered_ : messages_;
    }

    // The session (frmMainSession.cpp).
    void setUpSession();
    void rebuildRecentMenu();
    // A document has just been opened from `path`: its remembered place, the watch on its
    // file, the recent list.
    void documentOpened(const QString& path, const FileFollower::Signature& readAs);
    // Keeps the current document's place for when it is current again.
    void rememberCurrentPlace();
    // Shows the current document at `place`, moved into its length and the current style.
    void showAtPlace(SessionSettings::Place place);
    void onFileChanged(const QString& path);

    // Runs a handler that the window's event loop called: a failure ends the handler, never
    // the program.
    void handleEvent(const char* name, const std::function<void()>& handler);
    // Connects a control's event to one of the window's handlers, run through handleEvent.
    // The handler takes the first arguments of the signal, or none.
    template <class Sender, class Signal, class... Args>
    void route(Sender& sender, Signal signal, const char* name,
               void (frmMain::*handler)(Args...)) {
        connect(&sender, signal, this, [this, name, handler](Args... args) {
            handleEvent(name, [&] { (this->*handler)(std::forward<Args>(args)...); });
        });
    }

    MessageSink& messages_;
    MessageSink* gathered_ = nullptr;  // while several files are opened together
    std::unique_ptr<StatusMessages> status_;
    FontMeasuringDevice viewDevice_;
    MFontDraw surface_;
    DocumentPainter painter_;
    ProseDocumentView prose_;
    std::function<String()> timeOfDay_;
    WheelSteps wheel_;
    bool baselineDrawing_ = false;
    ResourceLocator resources_ = ResourceLocator::forThisProgram();
    // Read on the first move over a document and kept.
    std::optional<PointerImages> pointers_;
    QPointer<HelpWindow> help_;
    QPointer<frmAbout> about_;
    std::unique_ptr<PrintDialogs> printDialogs_;
    ReaderTools* tools_ = nullptr;  // a child of the window
    // The words searched in each document since its hits were last cleared, by document ID:
    // the hit count covers every word whose hits are shown.
    std::map<String, std::vector<String>> searchedWords_;
    int zoomPercent_ = 100;
    int zoomWheel_ = 0;
    int paperPreset_ = kPaperWhite;
    Long customPaper_ = RGB(255, 255, 255);
    Long customInk_ = RGB(0, 0, 0);
    std::vector<std::unique_ptr<MenuItem>> viewMenuItems_;
    std::vector<MenuItem*> paperItems_;
    // Where each document other than the current one was left, by document ID.
    std::map<String, SessionSettings::Place> places_;
    std::unique_ptr<SessionSettings> settings_;
    std::unique_ptr<FileFollower> follower_;
    bool restoring_ = false;      // no writes while the session is being read back
    // The place the document being restored was saved at: a file open twice has two.
    std::optional<SessionSettings::Place> restoringPlace_;
    bool opening_ = false;        // nor while a document is being opened
    bool styleRestored_ = false;  // the remembered style is applied by the first document
};

}  // namespace tavelo
