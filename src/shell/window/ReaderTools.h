#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "common/ClassicTypes.h"
#include "prose/ProseText.h"
#include "shell/window/SessionSettings.h"
#include "view/ReadingPace.h"

class QAction;
class QImage;
class QLabel;
class QMenu;
class QMouseEvent;

namespace tavelo {

class frmMain;

// What a reader does in the main window besides turning pages, for both kinds of document:
// the progress in the status bar (with the reading speed and the time left, for prose),
// bookmarks, the contents of a prose document, going to a page, a percentage, a character or
// a line, selecting and copying text, and showing ruby always, never or under the pointer.
//
// It adds the 編集 and 移動 menus and the ruby and progress entries of the スタイル menu, a
// label at the status bar's right end, and takes the mouse over the view before the window
// does: a press still turns the page as it always has, but a drag that follows goes back to
// the page the press was on and selects from where it began; Shift and a press extend the
// selection, also onto another page; a double click on prose selects the word-like run there
// (back on the page the first click was on). Dragging out of the view's left or right edge
// turns the pages while the selection follows.
//
// A selection belongs to the document it was made in and is drawn over the view as a
// translucent band per column. Bookmarks are kept in the session settings by the file's path
// (its bytes), so they survive a refresh, following the file and a restart; without settings
// (the tests' windows) they are kept for the run.
class ReaderTools : public QObject {
    Q_OBJECT
public:
    enum class RubyMode { All = 0, None = 1, Hover = 2 };
    enum class GoToKind { Page, Percent, Character, Line };
    using Bookmark = SessionSettings::Bookmark;
    // Seconds on a steady clock; the tests give one of their own.
    using Clock = std::function<double()>;

    explicit ReaderTools(frmMain& window);
    ~ReaderTools() override;
    ReaderTools(const ReaderTools&) = delete;
    ReaderTools& operator=(const ReaderTools&) = delete;

    void setClock(Clock clock) { clock_ = std::move(clock); }

    // ---- What the window tells: the view was drawn, the settings arrived
    void viewDrawn();
    void settingsChanged();
    // Lays the progress label out against `right` (status bar pixels) and returns where the
    // status panel must end.
    int placeProgress(int right);
    // Whether prose pages keep room for ruby, and whether the tl2 passes draw it.
    [[nodiscard]] bool rubySpace() const { return rubyMode_ == RubyMode::All; }
    [[nodiscard]] bool drawsTl2Ruby() const { return rubyMode_ == RubyMode::All; }

    // ---- Progress
    [[nodiscard]] QString progressText();
    [[nodiscard]] bool progressShown() const { return options().showProgress; }
    void setProgressShown(bool shown);

    // ---- Bookmarks of the current document
    void addBookmark();
    [[nodiscard]] std::vector<Bookmark> bookmarks() const;
    // Shows the bookmark's place; false (and a message) when its place had to move because
    // the file changed.
    bool jumpToBookmark(std::size_t index);
    void renameBookmark(std::size_t index, const QString& name);
    void removeBookmark(std::size_t index);
    void showBookmarkDialog();

    // ---- Contents of the current prose document
    [[nodiscard]] std::vector<prose::HeadingEntry> contents() const;
    // The heading whose chapter is shown: an index into contents(), or -1.
    [[nodiscard]] long currentChapter() const;
    void goToHeading(std::size_t index);

    // ---- Go to
    // Page and percentage for both kinds (1-based page; 0 to 100), a character number (1-based)
    // for prose, a line for tl2. Values out of range go to the nearest end.
    void goTo(GoToKind kind, long value);
    void showGoToDialog();

    // ---- Selecting and copying
    void selectAll();
    void clearSelection();
    // Prose: the characters [from, to) of the current document. tl2: lines first to last
    // (1-based, in either order) as places {line, 0}.
    void select(prose::Place from, prose::Place to);
    [[nodiscard]] bool hasSelection() const;
    // The selection as copied: prose with ruby in the notation or without it, tl2 lines.
    [[nodiscard]] QString selectedText() const { return selectedText(copiesRuby()); }
    [[nodiscard]] QString selectedText(bool withRuby) const;
    // Draws the selection's bands over a picture of the view as it is now.
    void drawSelectionOn(QImage& image);
    // The selection's ends in reading order (nothing selected: two equal places).
    [[nodiscard]] std::pair<prose::Place, prose::Place> selectionEnds() const;
    void copy();
    [[nodiscard]] bool copiesRuby() const { return options().copyRuby; }
    void setCopyRuby(bool withRuby);

    // ---- Ruby
    [[nodiscard]] RubyMode rubyMode() const { return rubyMode_; }
    void setRubyMode(RubyMode mode);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Selection {
        String id;
        bool prose = false;
        prose::Place anchor;
        prose::Place head;
    };
    struct Press {
        double x = 0;
        double y = 0;
        Integer valueBefore = 0;
        bool dragging = false;
    };

    void setUpMenus();
    [[nodiscard]] bool hasDocument() const;
    [[nodiscard]] bool currentIsProse() const;
    [[nodiscard]] const String& currentId() const;
    [[nodiscard]] QString currentPath() const;
    [[nodiscard]] SessionSettings::ReaderOptions options() const;
    void setOptions(const SessionSettings::ReaderOptions& options);
    void storeBookmarks(const std::vector<Bookmark>& bookmarks);
    void redraw();
    // Where a point of the view falls: a caret place for prose, {line, 0} for tl2.
    [[nodiscard]] std::optional<prose::Place> caretAt(double x, double y);
    [[nodiscard]] std::optional<Integer> tl2LineAt(double x) const;
    void drawSelection();
    void pressed(QMouseEvent& event);
    void moved(QMouseEvent& event);
    bool doubleClicked(QMouseEvent& event);
    void hover(double x, double y);
    // The status bar gives the description of a gaiji without a code (drawn 〓) under the
    // pointer, once as the pointer comes onto it.
    void describeGaiji(double x, double y);
    void updateProgress();
    void fillContentsMenu();
    void fillBookmarkMenu();

    frmMain& window_;
    Clock clock_;
    RubyMode rubyMode_ = RubyMode::All;
    std::optional<Selection> selection_;
    std::optional<Press> press_;
    std::optional<Integer> lastPressValue_;  // the page a double click's first press was on
    double lastEdgeTurn_ = -1e9;
    std::optional<std::size_t> hoveredRuby_;
    std::optional<prose::Place> describedGaiji_;
    std::map<String, ReadingPace> pace_;  // by document ID
    // Without session settings, the bookmarks and options of this run.
    std::map<QString, std::vector<Bookmark>> localBookmarks_;
    SessionSettings::ReaderOptions localOptions_;

    QLabel* progress_ = nullptr;
    QMenu* editMenu_ = nullptr;
    QMenu* goMenu_ = nullptr;
    QMenu* contentsMenu_ = nullptr;
    QAction* copyRubyAction_ = nullptr;
    QAction* progressAction_ = nullptr;
    std::vector<QAction*> rubyActions_;
    std::vector<QAction*> bookmarkEntries_;
};

}  // namespace tavelo
