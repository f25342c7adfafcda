#include "shell/window/ReaderTools.h"

#include <QActionGroup>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDialog>
#include <QDialogButtonBox>
#include <QElapsedTimer>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QListWidget>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPainter>
#include <QPushButton>
#include <QSpinBox>
#include <QToolTip>
#include <QVBoxLayout>
#include <algorithm>
#include <chrono>
#include <cmath>

#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "common/Utf8.h"
#include "flow/PagePoints.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/controls/Twips.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "view/DocumentPages.h"
#include "view/ScrollPosition.h"

namespace tavelo {
namespace {

constexpr int kBookmarkNameLength = 20;
constexpr double kEdgeTurnSeconds = 0.4;  // pages turned while dragging out of the view
constexpr int kProgressGap = 8;

const QString kMoved = QStringLiteral(
    "しおりの場所はファイルが変わってなくなっていたため、いちばん近い場所を表示しました。");

double steadySeconds() {
    using namespace std::chrono;
    return duration<double>(steady_clock::now().time_since_epoch()).count();
}

QString fromUtf32(std::u32string_view text) {
    return QString::fromStdU32String(std::u32string(text));
}

// "1,234" as the status bar writes counts.
QString grouped(long long n) {
    return QLocale(QLocale::Japanese).toString(n);
}

QString duration(long seconds) {
    const long minutes = std::max(1L, (seconds + 30) / 60);
    if (minutes < 60) return QStringLiteral("%1分").arg(minutes);
    return QStringLiteral("%1時間%2分").arg(minutes / 60).arg(minutes % 60);
}

// A bookmark's name: the first words from its place, blanks at the start left out.
QString nameFrom(const QString& text) {
    QString name = text.simplified();
    while (!name.isEmpty() && (name.front().isSpace() || name.front() == u'　')) name.remove(0, 1);
    if (name.size() > kBookmarkNameLength) name = name.left(kBookmarkNameLength) + u'…';
    return name.isEmpty() ? QStringLiteral("（空行）") : name;
}

}  // namespace

ReaderTools::ReaderTools(frmMain& window) : QObject(&window), window_(window), clock_(steadySeconds) {
    progress_ = new QLabel(&window_.stb1);
    progress_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    progress_->hide();
    setUpMenus();
    window_.picView.installEventFilter(this);
}

ReaderTools::~ReaderTools() = default;

// ---- Menus

void ReaderTools::setUpMenus() {
    QMenuBar& bar = *window_.menuBar();
    QAction* help = window_.mnuHelp.subMenu()->menuAction();
    const auto command = [this](QMenu& menu, const QString& caption, const QKeySequence& keys,
                                auto handler) {
        QAction* action = menu.addAction(caption);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this,
                [this, handler] { window_.handleEvent("reader", [handler] { handler(); }); });
        return action;
    };

    editMenu_ = new QMenu(QStringLiteral("編集(&E)"), &window_);
    bar.insertMenu(help, editMenu_);
    QAction* selectAllAction =
        command(*editMenu_, QStringLiteral("すべて選択(&A)"), QKeySequence::SelectAll,
                [this] { selectAll(); });
    QAction* copyAction = command(*editMenu_, QStringLiteral("コピー(&C)"), QKeySequence::Copy,
                                  [this] { copy(); });
    editMenu_->addSeparator();
    copyRubyAction_ = command(*editMenu_, QStringLiteral("ルビを｜《》で付けてコピー(&R)"),
                              QKeySequence(), [this] { setCopyRuby(!copiesRuby()); });
    copyRubyAction_->setCheckable(true);
    connect(editMenu_, &QMenu::aboutToShow, this, [=, this] {
        selectAllAction->setEnabled(hasDocument());
        copyAction->setEnabled(hasSelection());
        copyRubyAction_->setChecked(copiesRuby());
    });

    goMenu_ = new QMenu(QStringLiteral("移動(&G)"), &window_);
    bar.insertMenu(help, goMenu_);
    QAction* goTo = command(*goMenu_, QStringLiteral("ページや位置を指定して移動(&G)..."),
                            QKeySequence(Qt::CTRL | Qt::Key_G), [this] { showGoToDialog(); });
    contentsMenu_ = goMenu_->addMenu(QStringLiteral("目次(&C)"));
    // A long novel has hundreds of headings: one column that scrolls, not a wall of columns.
    contentsMenu_->setStyleSheet(QStringLiteral("QMenu { menu-scrollable: 1; }"));
    connect(contentsMenu_, &QMenu::aboutToShow, this, [this] { fillContentsMenu(); });
    goMenu_->addSeparator();
    QAction* add = command(*goMenu_, QStringLiteral("しおりを挟む(&A)"),
                           QKeySequence(Qt::CTRL | Qt::Key_D), [this] { addBookmark(); });
    QAction* list = command(*goMenu_, QStringLiteral("しおりの一覧(&B)..."), QKeySequence(),
                            [this] { showBookmarkDialog(); });
    connect(goMenu_, &QMenu::aboutToShow, this, [=, this] {
        for (QAction* action : {goTo, add, list}) action->setEnabled(hasDocument());
        contentsMenu_->setEnabled(hasDocument());
        fillBookmarkMenu();
    });

    QMenu& style = *window_.mnuStyle.subMenu();
    style.addSeparator();
    QMenu* ruby = style.addMenu(QStringLiteral("ルビ(&U)"));
    auto* group = new QActionGroup(this);
    const std::pair<QString, RubyMode> modes[] = {
        {QStringLiteral("すべて表示(&A)"), RubyMode::All},
        {QStringLiteral("表示しない(&N)"), RubyMode::None},
        {QStringLiteral("ポインタの下だけ表示(&P)"), RubyMode::Hover}};
    for (const auto& entry : modes) {
        const RubyMode mode = entry.second;
        QAction* action =
            command(*ruby, entry.first, QKeySequence(), [this, mode] { setRubyMode(mode); });
        action->setCheckable(true);
        action->setChecked(mode == rubyMode_);
        group->addAction(action);
        rubyActions_.push_back(action);
    }
    progressAction_ = command(style, QStringLiteral("進み具合を表示(&G)"), QKeySequence(),
                              [this] { setProgressShown(!progressShown()); });
    progressAction_->setCheckable(true);
    progressAction_->setChecked(true);
}

void ReaderTools::fillContentsMenu() {
    contentsMenu_->clear();
    const std::vector<prose::HeadingEntry> headings = contents();
    if (headings.empty()) {
        contentsMenu_->addAction(QStringLiteral("（見出しがありません）"))->setEnabled(false);
        return;
    }
    const long current = currentChapter();
    for (std::size_t i = 0; i < headings.size(); ++i) {
        const QString indent = headings[i].level == prose::Heading::Large    ? QString()
                               : headings[i].level == prose::Heading::Medium ? QStringLiteral("　")
                                                                             : QStringLiteral("　　");
        QString caption = indent + nameFrom(fromUtf32(headings[i].text));
        caption.replace(u'&', QStringLiteral("&&"));
        QAction* action = contentsMenu_->addAction(caption);
        action->setCheckable(true);
        action->setChecked(static_cast<long>(i) == current);
        connect(action, &QAction::triggered, this, [this, i] {
            window_.handleEvent("contents", [this, i] { goToHeading(i); });
        });
    }
}

void ReaderTools::fillBookmarkMenu() {
    for (QAction* action : bookmarkEntries_) {
        goMenu_->removeAction(action);
        action->deleteLater();
    }
    bookmarkEntries_.clear();
    const std::vector<Bookmark> marks = hasDocument() ? bookmarks() : std::vector<Bookmark>();
    if (!marks.empty()) bookmarkEntries_.push_back(goMenu_->addSeparator());
    for (std::size_t i = 0; i < marks.size(); ++i) {
        QString caption = marks[i].name;
        caption.replace(u'&', QStringLiteral("&&"));
        QAction* action = goMenu_->addAction(caption);
        connect(action, &QAction::triggered, this, [this, i] {
            window_.handleEvent("bookmark", [this, i] { jumpToBookmark(i); });
        });
        bookmarkEntries_.push_back(action);
    }
}

// ---- The window's state

bool ReaderTools::hasDocument() const {
    return window_.m_obViewS.Count() > 0 && window_.m_ViewIndex >= 1 &&
           window_.m_ViewIndex <= window_.m_obViewS.Count();
}

bool ReaderTools::currentIsProse() const {
    return window_.currentIsProse();
}

const String& ReaderTools::currentId() const {
    return window_.m_obViewS.Item(window_.m_ViewIndex).ID();
}

QString ReaderTools::currentPath() const {
    return QString::fromStdU16String(window_.m_obViewS.Item(window_.m_ViewIndex).FullPathName());
}

SessionSettings::ReaderOptions ReaderTools::options() const {
    return window_.settings_ ? window_.settings_->readerOptions() : localOptions_;
}

void ReaderTools::setOptions(const SessionSettings::ReaderOptions& options) {
    if (window_.settings_)
        window_.settings_->setReaderOptions(options);
    else
        localOptions_ = options;
}

void ReaderTools::settingsChanged() {
    const SessionSettings::ReaderOptions read = options();
    progressAction_->setChecked(read.showProgress);
    const auto mode = static_cast<RubyMode>(std::clamp(read.rubyMode, 0, 2));
    if (mode != rubyMode_) setRubyMode(mode);
    updateProgress();
}

void ReaderTools::redraw() {
    if (hasDocument()) window_.hsb1_Change();
}

// ---- Drawn

void ReaderTools::viewDrawn() {
    if (!hasDocument()) {
        progress_->hide();
        return;
    }
    if (currentIsProse()) {
        const String& id = currentId();
        const prose::CharacterIndex index(window_.prose_.document(id));
        pace_[id].shown(clock_(), index.indexOf(window_.prose_.place(id)));
    }
    drawSelection();
    updateProgress();
}

QString ReaderTools::progressText() {
    if (!hasDocument()) return {};
    const String& id = currentId();
    if (!currentIsProse()) {
        const CViewData& view = window_.m_obViewS.Item(window_.m_ViewIndex);
        const long lines = std::max<long>(1, view.GyouArraySize());
        const long line = std::clamp<long>(
            window_.placeOfDocument(window_.m_ViewIndex).firstLine, 1, lines);
        return QStringLiteral("%1 / %2 行（%3%）").arg(line).arg(lines).arg(line * 100 / lines);
    }
    ProseDocumentView& prose = window_.prose_;
    const prose::ProseDocument& document = prose.document(id);
    const prose::CharacterIndex index(document);
    const prose::Place place = prose.place(id);
    // The characters read: all before the last character of the page shown.
    const int page = prose.currentPage(id);
    flow::FlowLayout& layout = prose.layout(id);
    const long total = index.total();
    const long pageEnd = page + 1 < layout.pageCount()
                             ? index.indexOf(layout.firstPlaceOn(page + 1))
                             : total;
    QString text = QStringLiteral("%1 / %2 字").arg(grouped(pageEnd), grouped(total));
    const auto pace = pace_.find(id);
    if (pace == pace_.end() || !pace->second.charactersPerMinute()) return text;
    text += QStringLiteral("　毎分 %1 字")
                .arg(grouped(std::lround(*pace->second.charactersPerMinute())));
    text += QStringLiteral("　残り %1").arg(duration(*pace->second.secondsFor(total - pageEnd)));
    const std::vector<prose::HeadingEntry> headings = prose::headingsOf(document);
    const long chapter = prose::chapterOf(headings, place.paragraph);
    if (chapter >= 0) {
        const std::size_t next = static_cast<std::size_t>(chapter) + 1;
        const long chapterEnd =
            next < headings.size() ? index.indexOf({headings[next].paragraph, 0}) : total;
        text += QStringLiteral("（この章 %1）")
                    .arg(duration(*pace->second.secondsFor(std::max(0L, chapterEnd - pageEnd))));
    }
    return text;
}

void ReaderTools::updateProgress() {
    const bool shown = progressShown() && hasDocument();
    const QString text = shown ? progressText() : QString();
    if (text == progress_->text() && shown == progress_->isVisible()) return;
    progress_->setText(text);
    progress_->setVisible(shown);
    // Only the status bar makes room: the view keeps the size it has (which the command line
    // may have set apart from the window's).
    const int panelEnd = window_.cmdNextHit.x() - 4;
    window_.stb1.Panels(1).Width(twips::fromPixels(placeProgress(panelEnd)));
}

int ReaderTools::placeProgress(int right) {
    if (!progress_->isVisible() || progress_->text().isEmpty()) return right;
    const int width = std::min(progress_->sizeHint().width(), right / 2);
    progress_->setGeometry(right - width, 0, width, window_.stb1.height());
    return right - width - kProgressGap;
}

void ReaderTools::setProgressShown(bool shown) {
    SessionSettings::ReaderOptions changed = options();
    changed.showProgress = shown;
    setOptions(changed);
    progressAction_->setChecked(shown);
    updateProgress();
}

// ---- Bookmarks

std::vector<ReaderTools::Bookmark> ReaderTools::bookmarks() const {
    if (!hasDocument()) return {};
    const QString path = currentPath();
    if (window_.settings_) return window_.settings_->bookmarksOf(path);
    const auto found = localBookmarks_.find(path);
    return found == localBookmarks_.end() ? std::vector<Bookmark>() : found->second;
}

void ReaderTools::storeBookmarks(const std::vector<Bookmark>& bookmarks) {
    if (window_.settings_)
        window_.settings_->setBookmarks(currentPath(), bookmarks);
    else
        localBookmarks_[currentPath()] = bookmarks;
}

void ReaderTools::addBookmark() {
    if (!hasDocument()) return;
    Bookmark mark;
    mark.place = window_.placeOfDocument(window_.m_ViewIndex);
    mark.made = QDateTime::currentSecsSinceEpoch();
    if (currentIsProse()) {
        const prose::ProseDocument& document = window_.prose_.document(currentId());
        const prose::Place from{static_cast<std::size_t>(mark.place.paragraph),
                                static_cast<prose::Offset>(mark.place.offset)};
        const prose::Place to{from.paragraph + 3, 0};
        mark.name = nameFrom(fromUtf32(prose::textBetween(document, from, to, false).substr(0, 80)));
    } else {
        const CViewData& view = window_.m_obViewS.Item(window_.m_ViewIndex);
        const Integer line = std::clamp<Integer>(static_cast<Integer>(mark.place.firstLine), 1,
                                                 std::max<Integer>(1, view.GyouArraySize()));
        mark.name = view.GyouArraySize() > 0
                        ? nameFrom(QString::fromStdU16String(view.Bun(line)))
                        : QStringLiteral("（空行）");
    }
    std::vector<Bookmark> marks = bookmarks();
    marks.push_back(mark);
    storeBookmarks(marks);
    window_.showPassingStatus(u"しおりを挟みました：" + mark.name.toStdU16String(), 3000);
}

bool ReaderTools::jumpToBookmark(std::size_t index) {
    const std::vector<Bookmark> marks = bookmarks();
    if (index >= marks.size()) return false;
    SessionSettings::Place place = marks[index].place;
    bool moved = false;
    if (currentIsProse()) {
        const prose::CharacterIndex characters(window_.prose_.document(currentId()));
        const auto [inside, clamped] = characters.clamp(
            {static_cast<std::size_t>(std::max(place.paragraph, 0)),
             static_cast<prose::Offset>(std::max(place.offset, 0))});
        moved = clamped;
        place.paragraph = static_cast<int>(inside.paragraph);
        place.offset = static_cast<int>(inside.offset);
    } else {
        const Integer lines = window_.m_obViewS.Item(window_.m_ViewIndex).GyouArraySize();
        moved = place.firstLine > std::max<Integer>(1, lines);
    }
    window_.showAtPlace(place);
    if (moved) window_.showPassingStatus(kMoved.toStdU16String(), 5000);
    window_.hsb1.SetFocus();
    return !moved;
}

void ReaderTools::renameBookmark(std::size_t index, const QString& name) {
    std::vector<Bookmark> marks = bookmarks();
    if (index >= marks.size() || name.trimmed().isEmpty()) return;
    marks[index].name = name.trimmed();
    storeBookmarks(marks);
}

void ReaderTools::removeBookmark(std::size_t index) {
    std::vector<Bookmark> marks = bookmarks();
    if (index >= marks.size()) return;
    marks.erase(marks.begin() + static_cast<std::ptrdiff_t>(index));
    storeBookmarks(marks);
}

void ReaderTools::showBookmarkDialog() {
    if (!hasDocument()) return;
    QDialog dialog(&window_);
    dialog.setWindowTitle(QStringLiteral("しおりの一覧"));
    auto* list = new QListWidget(&dialog);
    const auto refill = [this, list] {
        const int row = list->currentRow();
        list->clear();
        for (const Bookmark& mark : bookmarks())
            list->addItem(QStringLiteral("%1　（%2）").arg(
                mark.name, QDateTime::fromSecsSinceEpoch(mark.made)
                               .toString(QStringLiteral("yyyy-MM-dd HH:mm"))));
        list->setCurrentRow(std::clamp(row, 0, list->count() - 1));
    };
    refill();
    auto* jump = new QPushButton(QStringLiteral("移動(&G)"), &dialog);
    auto* rename = new QPushButton(QStringLiteral("名前の変更(&R)..."), &dialog);
    auto* remove = new QPushButton(QStringLiteral("削除(&D)"), &dialog);
    auto* close = new QPushButton(QStringLiteral("閉じる"), &dialog);
    const auto chosen = [list] { return static_cast<std::size_t>(std::max(0, list->currentRow())); };
    connect(jump, &QPushButton::clicked, &dialog, [&, this] {
        if (list->count() == 0) return;
        dialog.accept();
        jumpToBookmark(chosen());
    });
    connect(list, &QListWidget::itemActivated, jump, &QPushButton::click);
    connect(rename, &QPushButton::clicked, &dialog, [&, this] {
        if (list->count() == 0) return;
        bool ok = false;
        const QString name = QInputDialog::getText(
            &dialog, QStringLiteral("しおりの名前"), QStringLiteral("新しい名前:"),
            QLineEdit::Normal, bookmarks()[chosen()].name, &ok);
        if (ok) renameBookmark(chosen(), name);
        refill();
    });
    connect(remove, &QPushButton::clicked, &dialog, [&, this] {
        if (list->count() == 0) return;
        removeBookmark(chosen());
        refill();
    });
    connect(close, &QPushButton::clicked, &dialog, &QDialog::reject);
    auto* buttons = new QVBoxLayout;
    for (QPushButton* button : {jump, rename, remove}) buttons->addWidget(button);
    buttons->addStretch();
    buttons->addWidget(close);
    auto* layout = new QHBoxLayout(&dialog);
    layout->addWidget(list, 1);
    layout->addLayout(buttons);
    if (list->count() == 0) list->addItem(QStringLiteral("（しおりはまだありません。Ctrl+D で挟めます）"));
    dialog.resize(520, 300);
    dialog.exec();
}

// ---- Contents

std::vector<prose::HeadingEntry> ReaderTools::contents() const {
    if (!hasDocument() || !currentIsProse()) return {};
    return prose::headingsOf(window_.prose_.document(currentId()));
}

long ReaderTools::currentChapter() const {
    if (!hasDocument() || !currentIsProse()) return -1;
    return prose::chapterOf(contents(), window_.prose_.place(currentId()).paragraph);
}

void ReaderTools::goToHeading(std::size_t index) {
    const std::vector<prose::HeadingEntry> headings = contents();
    if (index >= headings.size()) return;
    window_.prose_.moveTo(currentId(), {headings[index].paragraph, 0});
    window_.showProseAtPlace();
    window_.hsb1.SetFocus();
}

// ---- Go to

void ReaderTools::goTo(GoToKind kind, long value) {
    if (!hasDocument()) return;
    if (currentIsProse()) {
        const String& id = currentId();
        const int pages = window_.prose_.pageCount(id);
        const prose::CharacterIndex index(window_.prose_.document(id));
        switch (kind) {
            case GoToKind::Page:
            case GoToKind::Line:
                window_.hsb1.Value(static_cast<Integer>(std::clamp<long>(value, 1, pages) - 1));
                break;
            case GoToKind::Percent:
            case GoToKind::Character: {
                const long character =
                    kind == GoToKind::Percent
                        ? std::lround(index.total() * std::clamp(value, 0L, 100L) / 100.0)
                        : std::max(0L, value - 1);
                window_.prose_.moveTo(id, index.placeOf(std::min(character, index.total() - 1)));
                window_.showProseAtPlace();
                break;
            }
        }
    } else {
        const CViewData& view = window_.m_obViewS.Item(window_.m_ViewIndex);
        const Integer style = window_.currentStyle();
        switch (kind) {
            case GoToKind::Line:
            case GoToKind::Character:
                window_.showAtPlace(SessionSettings::Place{
                    style, static_cast<int>(std::clamp<long>(value, 1, std::max<Integer>(1, view.GyouArraySize()))), 0});
                break;
            case GoToKind::Page: {
                const std::vector<DocumentPages::Page> pages =
                    DocumentPages::pagesOf(view, style, window_.picView.logicalSize().width());
                if (pages.empty()) break;
                const auto& page = pages[static_cast<std::size_t>(
                    std::clamp<long>(value, 1, static_cast<long>(pages.size())) - 1)];
                window_.showAtPlace(SessionSettings::Place{style, page.firstLine, page.tier});
                break;
            }
            case GoToKind::Percent: {
                const Integer last = ScrollPosition::of(view, style).last();
                window_.hsb1.Value(static_cast<Integer>(
                    std::lround(last * std::clamp(value, 0L, 100L) / 100.0)));
                break;
            }
        }
    }
    window_.hsb1.SetFocus();
}

void ReaderTools::showGoToDialog() {
    if (!hasDocument()) return;
    const bool prose = currentIsProse();
    QDialog dialog(&window_);
    dialog.setWindowTitle(QStringLiteral("移動"));
    auto* kind = new QComboBox(&dialog);
    auto* value = new QSpinBox(&dialog);
    kind->addItem(QStringLiteral("ページ"), static_cast<int>(GoToKind::Page));
    kind->addItem(QStringLiteral("パーセント"), static_cast<int>(GoToKind::Percent));
    kind->addItem(prose ? QStringLiteral("文字目") : QStringLiteral("行"),
                  static_cast<int>(prose ? GoToKind::Character : GoToKind::Line));
    const auto maximum = [&, this](GoToKind chosen) -> long {
        if (chosen == GoToKind::Percent) return 100;
        if (prose && chosen == GoToKind::Page) return window_.prose_.pageCount(currentId());
        if (prose) return std::max(1L, prose::CharacterIndex(window_.prose_.document(currentId())).total());
        const CViewData& view = window_.m_obViewS.Item(window_.m_ViewIndex);
        if (chosen == GoToKind::Page)
            return std::max<long>(1, static_cast<long>(DocumentPages::pagesOf(
                view, window_.currentStyle(), window_.picView.logicalSize().width()).size()));
        return std::max<long>(1, view.GyouArraySize());
    };
    auto* range = new QLabel(&dialog);
    const auto follow = [&] {
        const auto chosen = static_cast<GoToKind>(kind->currentData().toInt());
        const long top = maximum(chosen);
        value->setRange(chosen == GoToKind::Percent ? 0 : 1,
                        static_cast<int>(std::min<long>(top, INT_MAX)));
        range->setText(QStringLiteral("（%1 〜 %2）").arg(value->minimum()).arg(value->maximum()));
        value->selectAll();
    };
    connect(kind, &QComboBox::currentIndexChanged, &dialog, follow);
    follow();
    if (prose) value->setValue(window_.prose_.currentPage(currentId()) + 1);
    value->selectAll();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* form = new QFormLayout(&dialog);
    auto* row = new QHBoxLayout;
    row->addWidget(value, 1);
    row->addWidget(kind);
    form->addRow(QStringLiteral("移動先:"), row);
    form->addRow(QString(), range);
    form->addRow(buttons);
    value->setFocus();
    if (dialog.exec() != QDialog::Accepted) return;
    goTo(static_cast<GoToKind>(kind->currentData().toInt()), value->value());
}

// ---- Selection

bool ReaderTools::hasSelection() const {
    return selection_ && hasDocument() && selection_->id == currentId() &&
           selection_->anchor != selection_->head;
}

void ReaderTools::clearSelection() {
    if (!selection_) return;
    selection_.reset();
    redraw();
}

void ReaderTools::select(prose::Place from, prose::Place to) {
    if (!hasDocument()) return;
    selection_ = Selection{currentId(), currentIsProse(), from, to};
    redraw();
}

void ReaderTools::selectAll() {
    if (!hasDocument()) return;
    if (currentIsProse()) {
        const prose::ProseDocument& document = window_.prose_.document(currentId());
        const std::size_t last = document.paragraphs.empty() ? 0 : document.paragraphs.size() - 1;
        select({0, 0}, {last, document.paragraphs.empty()
                                  ? 0
                                  : static_cast<prose::Offset>(document.paragraphs[last].text.size())});
    } else {
        const Integer lines = window_.m_obViewS.Item(window_.m_ViewIndex).GyouArraySize();
        select({1, 0}, {static_cast<std::size_t>(std::max<Integer>(1, lines)), 0});
    }
}

std::pair<prose::Place, prose::Place> ReaderTools::selectionEnds() const {
    if (!hasSelection()) return {};
    return std::minmax(selection_->anchor, selection_->head);
}

QString ReaderTools::selectedText(bool withRuby) const {
    if (!hasSelection()) return {};
    const auto [from, to] = selectionEnds();
    if (selection_->prose)
        return fromUtf32(prose::textBetween(window_.prose_.document(currentId()), from, to,
                                            withRuby));
    // tl2: the lines between the two, as their body text, the blanks that pad them dropped.
    const CViewData& view = window_.m_obViewS.Item(window_.m_ViewIndex);
    QStringList lines;
    const auto last = std::min<std::size_t>(to.paragraph, static_cast<std::size_t>(std::max<Integer>(0, view.GyouArraySize())));
    for (std::size_t line = std::max<std::size_t>(1, from.paragraph); line <= last; ++line) {
        QString text = QString::fromStdU16String(view.Bun(static_cast<Integer>(line)));
        while (!text.isEmpty() && (text.back() == u' ' || text.back() == u'　')) text.chop(1);
        lines << text;
    }
    return lines.join(u'\n');
}

void ReaderTools::copy() {
    if (!hasSelection()) return;
    const QString text = selectedText();
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->setText(text, QClipboard::Clipboard);
    if (clipboard->supportsSelection()) clipboard->setText(text, QClipboard::Selection);
    window_.showPassingStatus(
        u"コピーしました（" + utf8::toUtf16(std::to_string(text.toStdU32String().size())) + u"字）",
        2000);
}

void ReaderTools::setCopyRuby(bool withRuby) {
    SessionSettings::ReaderOptions changed = options();
    changed.copyRuby = withRuby;
    setOptions(changed);
    copyRubyAction_->setChecked(withRuby);
}

std::optional<Integer> ReaderTools::tl2LineAt(double x) const {
    const CViewData& view = window_.m_obViewS.Item(window_.m_ViewIndex);
    const std::vector<ColumnPager::Column> columns =
        DocumentPages::columnsOf(view, window_.currentStyle());
    if (columns.empty()) return std::nullopt;
    // The nearest column's line: columns run right to left.
    const double offset = static_cast<double>(window_.m_OffsetX);
    std::size_t best = 0;
    double bestDistance = 1e18;
    for (std::size_t i = 0; i < columns.size(); ++i) {
        const double left = columns[i].left + offset;
        const double right = columns[i].right + offset;
        const double distance = x < left ? left - x : x > right ? x - right : 0;
        if (distance < bestDistance) {
            bestDistance = distance;
            best = i;
        }
        if (right < x - 1000) break;  // the rest lie further left
    }
    return static_cast<Integer>(best + 1);
}

std::optional<prose::Place> ReaderTools::caretAt(double x, double y) {
    if (!hasDocument()) return std::nullopt;
    if (!currentIsProse()) {
        const auto line = tl2LineAt(x);
        if (!line) return std::nullopt;
        return prose::Place{static_cast<std::size_t>(*line), 0};
    }
    const String& id = currentId();
    flow::FlowLayout& layout = window_.prose_.layout(id);
    if (window_.prose_.document(id).paragraphs.empty()) return std::nullopt;
    const flow::FlowLayout::Page page = layout.page(window_.prose_.currentPage(id));
    return flow::caretAt(page, layout.metrics(), x, y);
}

void ReaderTools::drawSelection() {
    if (!hasSelection()) return;
    drawSelectionOn(window_.picView.image());
    window_.picView.update();
}

void ReaderTools::drawSelectionOn(QImage& image) {
    if (!hasSelection()) return;
    const auto [from, to] = selectionEnds();
    QPainter painter(&image);
    QColor colour = QApplication::palette().color(QPalette::Highlight);
    colour.setAlpha(90);
    const String& id = currentId();
    if (selection_->prose) {
        flow::FlowLayout& layout = window_.prose_.layout(id);
        const flow::FlowLayout::Page page = layout.page(window_.prose_.currentPage(id));
        for (const flow::Band& band : flow::bandsOf(page, layout.metrics(), from, to))
            painter.fillRect(QRect(band.x, band.y, band.width, band.height), colour);
    } else {
        const CViewData& view = window_.m_obViewS.Item(window_.m_ViewIndex);
        const std::vector<ColumnPager::Column> columns =
            DocumentPages::columnsOf(view, window_.currentStyle());
        const double offset = static_cast<double>(window_.m_OffsetX);
        const int height = window_.picView.logicalSize().height();
        for (std::size_t line = std::max<std::size_t>(1, from.paragraph);
             line <= to.paragraph && line <= columns.size(); ++line) {
            const ColumnPager::Column& column = columns[line - 1];
            painter.fillRect(QRectF(column.left + offset, 0, column.right - column.left, height),
                             colour);
        }
    }
}

// ---- The mouse over the view

bool ReaderTools::eventFilter(QObject* watched, QEvent* event) {
    if (watched != &window_.picView || !hasDocument()) return false;
    switch (event->type()) {
        case QEvent::MouseButtonPress: {
            auto& mouse = static_cast<QMouseEvent&>(*event);
            if (mouse.button() != Qt::LeftButton) return false;
            if ((mouse.modifiers() & Qt::ShiftModifier) && selection_ &&
                selection_->id == currentId()) {
                // Extends the selection to the point, on whatever page it is.
                const auto [x, y] = std::pair(mouse.position().x(), mouse.position().y());
                if (const auto head = caretAt(x, y)) selection_->head = *head;
                press_ = Press{x, y, window_.hsb1.Value(), true};
                redraw();
                return true;
            }
            pressed(mouse);
            return false;  // the window pages as a press always has
        }
        case QEvent::MouseMove:
            moved(static_cast<QMouseEvent&>(*event));
            return false;
        case QEvent::MouseButtonRelease: {
            const bool dragged = press_ && press_->dragging;
            press_.reset();
            if (dragged && hasSelection()) {
                QClipboard* clipboard = QGuiApplication::clipboard();
                if (clipboard->supportsSelection())
                    clipboard->setText(selectedText(), QClipboard::Selection);
            }
            return false;
        }
        case QEvent::MouseButtonDblClick:
            return doubleClicked(static_cast<QMouseEvent&>(*event));
        default:
            return false;
    }
}

void ReaderTools::pressed(QMouseEvent& event) {
    press_ = Press{event.position().x(), event.position().y(), window_.hsb1.Value(), false};
    lastPressValue_ = window_.hsb1.Value();
    if (selection_) clearSelection();
}

void ReaderTools::moved(QMouseEvent& event) {
    const double x = event.position().x();
    const double y = event.position().y();
    if (!(event.buttons() & Qt::LeftButton) || !press_) {
        press_.reset();
        hover(x, y);
        return;
    }
    if (!press_->dragging) {
        if (std::hypot(x - press_->x, y - press_->y) < QApplication::startDragDistance()) return;
        // A drag, not a click: back to the page the press was on, and select from there.
        press_->dragging = true;
        if (window_.hsb1.Value() != press_->valueBefore) window_.hsb1.Value(press_->valueBefore);
        const auto anchor = caretAt(press_->x, press_->y);
        if (!anchor) return;
        selection_ = Selection{currentId(), currentIsProse(), *anchor, *anchor};
    }
    if (!selection_) return;
    // Out of the view's side: the pages turn under the selection, one at a time.
    const int width = window_.picView.logicalSize().width();
    const double now = clock_();
    if ((x < 0 || x >= width) && now - lastEdgeTurn_ >= kEdgeTurnSeconds) {
        lastEdgeTurn_ = now;
        const Integer step = currentIsProse() ? 1 : window_.hsb1.SmallChange();
        const Integer value = window_.hsb1.Value() + (x < 0 ? step : -step);
        if (value >= 0 && value <= window_.hsb1.Min()) window_.hsb1.Value(value);
    }
    if (const auto head = caretAt(std::clamp<double>(x, 0, width - 1), y)) {
        if (*head == selection_->head) return;
        selection_->head = *head;
    }
    redraw();
}

bool ReaderTools::doubleClicked(QMouseEvent& event) {
    if (!currentIsProse() || event.button() != Qt::LeftButton) return false;
    // The first click turned the page: the word is on the page it was made on.
    if (lastPressValue_ && window_.hsb1.Value() != *lastPressValue_)
        window_.hsb1.Value(*lastPressValue_);
    const String& id = currentId();
    flow::FlowLayout& layout = window_.prose_.layout(id);
    if (window_.prose_.document(id).paragraphs.empty()) return true;
    const flow::FlowLayout::Page page = layout.page(window_.prose_.currentPage(id));
    const auto at =
        flow::characterAt(page, layout.metrics(), event.position().x(), event.position().y());
    if (!at) return true;
    const auto [from, to] = prose::wordAt(window_.prose_.document(id), *at);
    press_.reset();
    select(from, to);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setText(selectedText(), QClipboard::Selection);
    return true;  // not a press that pages
}

void ReaderTools::hover(double x, double y) {
    if (currentIsProse()) describeGaiji(x, y);
    if (rubyMode_ != RubyMode::Hover) return;
    if (!currentIsProse()) {
        // tl2 ruby stays hidden; the line's ruby shows as a tip.
        const auto line = tl2LineAt(x);
        const CViewData& view = window_.m_obViewS.Item(window_.m_ViewIndex);
        const QString ruby =
            line && *line <= view.GyouArraySize()
                ? QString::fromStdU16String(view.Rubi(*line)).simplified()
                : QString();
        if (ruby.isEmpty())
            QToolTip::hideText();
        else
            QToolTip::showText(window_.picView.mapToGlobal(QPoint(static_cast<int>(x), static_cast<int>(y))),
                               ruby, &window_.picView);
        return;
    }
    const String& id = currentId();
    if (window_.prose_.document(id).paragraphs.empty()) return;
    flow::FlowLayout& layout = window_.prose_.layout(id);
    const flow::FlowLayout::Page page = layout.page(window_.prose_.currentPage(id));
    const auto ruby = flow::rubyAt(window_.prose_.document(id), page, layout.metrics(), x, y);
    if (ruby == hoveredRuby_) return;
    hoveredRuby_ = ruby;
    window_.prose_.showRuby(ruby ? ProsePaintState::Ruby::Only : ProsePaintState::Ruby::None,
                            ruby.value_or(0));
    redraw();
}

void ReaderTools::describeGaiji(double x, double y) {
    const String& id = currentId();
    const prose::ProseDocument& document = window_.prose_.document(id);
    // Most books have no such gaiji: the pointer's moves then set no page out.
    if (document.paragraphs.empty() || document.gaijiUnmapped == 0) return;
    flow::FlowLayout& layout = window_.prose_.layout(id);
    const flow::FlowLayout::Page page = layout.page(window_.prose_.currentPage(id));
    const auto at = flow::characterAt(page, layout.metrics(), x, y);
    std::optional<prose::Place> gaiji;
    if (at && at->paragraph < document.paragraphs.size()) {
        for (const prose::Gaiji& g : document.paragraphs[at->paragraph].gaiji)
            if (!g.mapped && at->offset >= g.start && at->offset < g.end) {
                gaiji = prose::Place{at->paragraph, g.start};
                if (gaiji != describedGaiji_)
                    window_.showPassingStatus(
                        u"外字：" + utf8::utf32ToUtf16(g.description), 8000);
                break;
            }
    }
    describedGaiji_ = gaiji;
}

// ---- Ruby

void ReaderTools::setRubyMode(RubyMode mode) {
    rubyMode_ = mode;
    hoveredRuby_.reset();
    for (std::size_t i = 0; i < rubyActions_.size(); ++i)
        rubyActions_[i]->setChecked(static_cast<int>(i) == static_cast<int>(mode));
    window_.prose_.showRuby(mode == RubyMode::All ? ProsePaintState::Ruby::All
                                                  : ProsePaintState::Ruby::None);
    SessionSettings::ReaderOptions changed = options();
    changed.rubyMode = static_cast<int>(mode);
    setOptions(changed);
    // Prose pages take the room the ruby leaves or needs, each document keeping its place.
    window_.prose_.layOutAll(window_.proseSettings());
    if (!hasDocument()) return;
    if (currentIsProse())
        window_.showProseAtPlace();
    else
        redraw();
}

}  // namespace tavelo
