#pragma once

#include <QMainWindow>
#include <QPointer>
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
#include "shell/window/ResourceLocator.h"
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
struct PrintChoice;
class frmAbout;
class ToolbarButton;

// The main window: menus, toolbar, search controls, scroll bar, view and status bar, and the
// state the command handlers share. Construction lays the window out and leaves it in the
// state without documents (Form_Load).
//
// Sizes: the client area under the menu bar is 451 x 682 pixels (6765 x 10230 twips): the
// toolbar row and the status bar are 28 pixels high, and the view between them has a
// drawing area of 449 x 624 pixels inside its one-pixel border. The window cannot be
// resized.
//
// The controls are public, named as the handlers know them. The window takes the common
// dialog and the message sink from outside, so that tests can stand in for both.
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
    // Moves the view by whole positions in the reading direction (positive: forward).
    void scrollBy(int positions);
    // The mouse, the drops, the help and the About box (frmMainMouse.cpp).
    void picView_MouseDown(Integer Button, Integer Shift, Single X, Single Y);
    void picView_MouseMove(Integer Button, Integer Shift, Single X, Single Y);
    void picView_OLEDragOver(const std::vector<String>& Files, Long& Effect, Integer State);
    void picView_OLEDragDrop(const std::vector<String>& Files);
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
    // The time of day the document IDs are made of; tests set a clock of their own.
    void setTimeOfDay(std::function<String()> timeOfDay) { timeOfDay_ = std::move(timeOfDay); }
    // Gives the view's drawing area another size, for the command line's --view. Documents
    // opened afterwards are laid out for it.
    void setViewSize(int width, int height);
    [[nodiscard]] MFontDraw& surface() { return surface_; }
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

private:
    // Declared first: the controls below are its children.
    QWidget* client_;

public:
    // Menus, in the order they stand on the menu bar.
    MenuItem mnuFile;
    MenuItem mnuFileOpen;
    MenuItem mnuFileExportPdf;
    MenuItem mnuFilePrint;
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

private:
    void designLayout();
    void setUpKeys();
    void updateHitButtons();
    void Form_Load();
    void connectHandlers();
    void mnuEnd_Click();

    // The passes of the current document with the window's state.
    void DrawSmallBun();
    void DrawBigBun(Integer tier);
    void DrawSmallRubi();
    void DrawBigRubi(Integer tier);
    [[nodiscard]] PaintState paintState();
    [[nodiscard]] bool smallStyle() const { return mnuStyleType(0).Checked(); }
    [[nodiscard]] bool largeStyle() const { return mnuStyleType(1).Checked(); }

    // The part of the open command after the file is known, shared with the command line.
    void openChosenFile(const String& fileTitle, const String& fullPathName);
    // The open command from its reading step on, shared with the drop: reads the file under
    // `fileName`, lays it out, stores it and shows it. m_FileName and m_FullPathName, what
    // refresh reads again, name it only once it has been added.
    void readAndShowFile(const String& fileName, const String& fullPathName);
    // Reads and lays out the file, telling the user what stopped the reading; false when
    // nothing of it can be shown.
    bool loadDocument(DocumentLoader& loader, const String& fileName, const String& fullPathName);
    // The document ID: the time of day, the separator and the file name, made unique among
    // the open documents other than number `replacing` (the record a refresh replaces).
    [[nodiscard]] String documentId(const String& separator, const String& fileName,
                                    Integer replacing = 0) const;
    void showStatus(const String& text);

    // Runs a handler that the window's event loop called: a failure ends the handler, never
    // the program.
    void handleEvent(const char* name, const std::function<void()>& handler);

    MessageSink& messages_;
    FontMeasuringDevice viewDevice_;
    MFontDraw surface_;
    DocumentPainter painter_;
    std::function<String()> timeOfDay_;
    WheelSteps wheel_;
    bool baselineDrawing_ = false;
    ResourceLocator resources_ = ResourceLocator::forThisProgram();
    // Read on the first move over a document and kept.
    std::optional<PointerImages> pointers_;
    QPointer<HelpWindow> help_;
    QPointer<frmAbout> about_;
    std::unique_ptr<PrintDialogs> printDialogs_;
    // The words searched in each document since its hits were last cleared, by document ID:
    // the hit count covers every word whose hits are shown.
    std::map<String, std::vector<String>> searchedWords_;
};

}  // namespace tavelo
