#pragma once

#include <QMainWindow>

#include "CommandButton.h"
#include "HScrollBar.h"
#include "MenuItem.h"
#include "MenuItemArray.h"
#include "PictureBox.h"
#include "StatusBar.h"
#include "TextBox.h"
#include "Toolbar.h"
#include "common/ClassicTypes.h"

namespace tavelo {

class CommonDialog;
class MessageSink;

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

  private:
    // Declared first: the controls below are its children.
    QWidget* client_;

  public:
    // Menus, in the order they stand on the menu bar.
    MenuItem mnuFile;
    MenuItem mnuFileOpen;
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
    CommonDialog& cdlFileOpen;  // also holds the search-hit colour

    // Form variables shared by the command handlers.
    // TODO: the document collection m_obViewS and the font-name lookup m_obEisuuCyotai
    // join these when their classes are in the tree.
    Integer m_ViewIndex = 0;
    String m_FileName;
    String m_FullPathName;
    Long m_OffsetX = 0;
    Single m_ValueRatio = 0;
    bool m_IsSearch = false;
    String m_SearchWord;

  private:
    void designLayout();
    void Form_Load();
    void mnuEnd_Click();

    MessageSink& messages_;
};

}  // namespace tavelo
