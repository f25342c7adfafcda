// The main window's memory between runs and its watch on the documents' files: the settings,
// reopening the last session, the recent-file menu, and reading a document again when its
// file changes on disk.
#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QMenu>
#include <QScopedValueRollback>
#include <algorithm>
#include <climits>
#include <filesystem>
#include <optional>
#include <system_error>
#include <vector>

#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "common/RecordingMessageSink.h"
#include "shell/controls/CommonDialog.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/print/PrintDialogs.h"
#include "shell/window/StatusMessages.h"
#include "shell/window/ReaderTools.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "view/ScrollPosition.h"

namespace tavelo {
namespace {

using Place = SessionSettings::Place;

constexpr int kNoticeShownMs = 5000;

// A reading message in one line for the status bar, its cause first: the message names the
// file on its first line and says why on the others, and a long path would push the cause
// out of sight.
String causeFirst(const String& message) {
    const auto newline = message.find(u'\n');
    if (newline == String::npos) return message;
    String cause = message.substr(newline + 1);
    std::replace(cause.begin(), cause.end(), u'\n', u' ');
    return cause + u" — " + message.substr(0, newline);
}

QString qPath(const String& path) {
    return QString::fromStdU16String(path);
}

// A place kept in one style, in another: the same first line, at its upper tier when the
// style changed.
Place inStyle(const Place& place, int style) {
    if (place.style == style) return place;
    return Place{style, place.firstLine, 0};
}

}  // namespace

frmMain::~frmMain() {
    if (settings_) {
        saveSession();
        settings_->flush();
    }
}

void frmMain::setUpSession() {
    QAction* before = &Kubunsen1_1.action();
    QWidget& menu = *mnuFile.subMenu();
    Kubunsen1_2 = std::make_unique<MenuItem>(menu, u"-", MenuItem::Kind::Command, before);
    mnuRecentFiles =
        std::make_unique<MenuItem>(menu, u"最近使ったファイル(&R)", MenuItem::Kind::Menu, before);
    mnuForgetRecent = std::make_unique<MenuItem>(menu, u"最近使ったファイルの一覧を消去(&D)",
                                                 MenuItem::Kind::Command, before);
    mnuFollowFiles = std::make_unique<MenuItem>(menu, u"ファイルの変更に追従する(&W)",
                                                MenuItem::Kind::Command, before);
    mnuFollowFiles->Checked(true);
    connect(mnuForgetRecent.get(), &MenuItem::Click, this,
            [this] { handleEvent("mnuForgetRecent_Click", [this] { mnuForgetRecent_Click(); }); });
    connect(mnuFollowFiles.get(), &MenuItem::Click, this,
            [this] { handleEvent("mnuFollowFiles_Click", [this] { mnuFollowFiles_Click(); }); });
    rebuildRecentMenu();

    follower_ = std::make_unique<FileFollower>();
    connect(follower_.get(), &FileFollower::fileChanged, this, [this](const QString& path) {
        handleEvent("FileFollower::fileChanged", [this, &path] { onFileChanged(path); });
    });
    connect(follower_.get(), &FileFollower::watchesRefused, this, [this] {
        showPassingStatus(u"ファイルの変更を監視できないため、1秒ごとに確かめます。",
                          kNoticeShownMs);
    });

    // What the user changes is handed to the settings after the command has run (these
    // connections come after the commands' own).
    auto save = [this] { saveSession(); };
    connect(&hsb1, &HScrollBar::Change, this, save);
    connect(&mnuStyleType, &MenuItemArray::Click, this, save);
    connect(&mnuID, &MenuItemArray::Click, this, save);
    connect(&cmdSearch, &CommandButton::Click, this, save);
    connect(&txtSearch, &QLineEdit::returnPressed, this, save);
    connect(&cmdClear, &CommandButton::Click, this, save);
}

void frmMain::closeEvent(QCloseEvent* event) {
    saveSession();
    if (settings_) settings_->flush();
    QMainWindow::closeEvent(event);
}

// ---- Settings

void frmMain::useSettings(const QString& folder) {
    settings_ = std::make_unique<SessionSettings>(folder);
    settings_->load();
    if (!settings_->windowGeometry().isEmpty()) restoreGeometry(settings_->windowGeometry());
    if (!settings_->windowState().isEmpty()) restoreState(settings_->windowState());
    cdlFileOpen.Color(static_cast<Long>(settings_->hitColor()));
    if (settings_->zoom() != zoomPercent()) zoomTo(settings_->zoom());
    styleRestored_ = false;
    rebuildRecentMenu();
    tools_->settingsChanged();
}

Place frmMain::placeOfDocument(Integer index) const {
    const String& id = m_obViewS.Item(index).ID();
    if (prose_.holds(id)) {
        // A prose document keeps its character wherever it is shown.
        const flow::Place character = prose_.place(id);
        Place place{currentStyle(), 1, 0};
        place.paragraph = static_cast<int>(std::min<std::size_t>(character.paragraph, INT_MAX));
        place.offset = static_cast<int>(std::min<prose::Offset>(character.offset, INT_MAX));
        return place;
    }
    if (index == m_ViewIndex) return Place::fromPosition(currentStyle(), hsb1.Value());
    const auto kept = places_.find(m_obViewS.Item(index).ID());
    return kept != places_.end() ? kept->second : Place{currentStyle(), 1, 0};
}

void frmMain::rememberCurrentPlace() {
    if (m_ViewIndex < 1 || m_ViewIndex > m_obViewS.Count()) return;
    places_[m_obViewS.Item(m_ViewIndex).ID()] = placeOfDocument(m_ViewIndex);
}

void frmMain::showAtPlace(Place place) {
    if (currentIsProse()) {
        prose_.moveTo(m_obViewS.Item(m_ViewIndex).ID(),
                      {static_cast<std::size_t>(std::max(place.paragraph, 0)),
                       static_cast<prose::Offset>(std::max(place.offset, 0))});
        showProseAtPlace();
        return;
    }
    const Integer n = m_obViewS.Item(m_ViewIndex).GyouArraySize();
    const Place inside = inStyle(place, currentStyle()).clampedTo(n);
    const ScrollPosition positions =
        ScrollPosition::of(m_obViewS.Item(m_ViewIndex), currentStyle());
    hsb1.Min(positions.last());
    // Clamped again by the scroll bar's own range: a place counts an empty document as one
    // line (two tiers in the large style), but its only position is 0, and a value past the
    // end would stop the redraw and leave the old line number showing.
    const Integer position = positions.clamp(inside.position());
    if (hsb1.Value() != position)
        hsb1.Value(position);  // redraws
    else
        hsb1_Change();
}

void frmMain::saveSession() {
    if (!settings_ || restoring_ || opening_) return;
    settings_->setWindowGeometry(saveGeometry());
    settings_->setWindowState(saveState());
    if (smallStyle() || largeStyle()) settings_->setStyle(currentStyle());
    settings_->setHitColor(static_cast<std::int32_t>(cdlFileOpen.Color()));
    settings_->setZoom(zoomPercent());
    std::vector<SessionSettings::Document> documents;
    for (Integer i = 1; i <= m_obViewS.Count(); ++i) {
        const SessionSettings::Document document{qPath(m_obViewS.Item(i).FullPathName()),
                                                 placeOfDocument(i)};
        settings_->rememberPlace(document.path, document.place);
        documents.push_back(document);
    }
    settings_->setOpenDocuments(documents, documents.empty() ? -1 : m_ViewIndex - 1);
    QStringList words;
    if (m_obViewS.Count() > 0) {
        const auto searched = searchedWords_.find(m_obViewS.Item(m_ViewIndex).ID());
        if (searched != searchedWords_.end())
            for (const String& word : searched->second) words.push_back(qPath(word));
    }
    settings_->setSearchWords(words);
}

void frmMain::documentOpened(const QString& path, const FileFollower::Signature& readAs) {
    opening_ = false;
    follower_->follow(path, readAs);
    if (!settings_) return;
    if (!styleRestored_) {
        // The first document sets the style: the remembered one.
        styleRestored_ = true;
        if (settings_->style() == 1 && !largeStyle()) mnuStyleType_Click(1);
    }
    if (restoringPlace_)
        showAtPlace(*restoringPlace_);
    else if (settings_->knows(path))
        showAtPlace(settings_->placeOf(path));
    if (!restoring_) {
        settings_->touchRecent(path, placeOfDocument(m_ViewIndex));
        rebuildRecentMenu();
        saveSession();
    }
}

// ---- Restoring the last session

// ---- Opening several files at once

namespace {

// One message for what several openings had to say: the files that were not opened, then
// each reading's own message.
String summaryOf(const String& heading, const String& notOpened, const std::vector<String>& said) {
    String text;
    if (!notOpened.empty()) text = heading + notOpened;
    for (const String& message : said) {
        if (!text.empty()) text += u"\n\n";
        text += message;
    }
    return text;
}

}  // namespace

void frmMain::openFiles(const std::vector<String>& fullPathNames) {
    RecordingMessageSink said;
    String notOpened;
    {
        const QScopedValueRollback<MessageSink*> gathering(gathered_, &said);
        for (const String& path : fullPathNames) {
            std::error_code error;
            const std::filesystem::path file(PathBytes::toSystem(path));
            const String shown = u"\n" + PathBytes::display(path);
            if (!std::filesystem::exists(file, error)) {
                notOpened += shown + u" (見つかりません)";
                continue;
            }
            if (!std::filesystem::is_regular_file(file, error)) {
                notOpened += shown + u" (ファイルではありません)";
                continue;
            }
            const Long before = m_obViewS.Count();
            handleEvent("openFiles", [this, &path] { openFile(path); });
            if (m_obViewS.Count() == before) notOpened += shown;
        }
    }
    const String text = summaryOf(u"次のファイルを開けませんでした。", notOpened, said.messages());
    if (!text.empty()) messages_.showMessage(text);
}

void frmMain::restoreSession() {
    if (!settings_) return;
    const std::vector<SessionSettings::Document> documents = settings_->openDocuments();
    const int current = settings_->currentDocument();
    const QStringList words = settings_->searchWords();
    String gone;
    Integer currentIndex = 0;
    // What the readings say comes with the list of gone files, in one message at the end:
    // a box per document at every start would be too many.
    RecordingMessageSink said;
    std::optional<QScopedValueRollback<MessageSink*>> gathering;
    gathering.emplace(gathered_, &said);
    restoring_ = true;
    for (std::size_t i = 0; i < documents.size(); ++i) {
        const QString& path = documents[i].path;
        if (!FileFollower::signatureOf(path).exists) {
            gone += u"\n" + PathBytes::display(path.toStdU16String());
            continue;
        }
        const Long before = m_obViewS.Count();
        // Each document at its own place: the remembered place of a file is that of its first
        // document, and a file open twice may be read at two places.
        restoringPlace_ = documents[i].place;
        handleEvent("restoreSession", [this, &path] { openFile(path.toStdU16String()); });
        restoringPlace_.reset();
        if (m_obViewS.Count() > before && static_cast<int>(i) == current)
            currentIndex = static_cast<Integer>(m_obViewS.Count());
    }
    restoring_ = false;
    gathering.reset();
    if (currentIndex != 0 && currentIndex != m_ViewIndex)
        handleEvent("restoreSession", [this, currentIndex] { mnuID_Click(currentIndex); });
    if (m_obViewS.Count() > 0) {
        // The words searched last are marked again in the current document.
        for (const QString& word : words) {
            txtSearch.Text(word.toStdU16String());
            handleEvent("restoreSession", [this] { cmdSearch_Click(); });
        }
    }
    for (const auto& document : documents)
        if (!FileFollower::signatureOf(document.path).exists)
            settings_->removeRecent(document.path);
    rebuildRecentMenu();
    saveSession();
    const String text =
        summaryOf(u"次のファイルが見つからないため、開きませんでした。", gone, said.messages());
    if (!text.empty()) messages_.showMessage(text);
}

// ---- Recent files

void frmMain::rebuildRecentMenu() {
    QMenu* menu = mnuRecentFiles->subMenu();
    menu->clear();
    const auto* recent = settings_ ? &settings_->recentFiles() : nullptr;
    if (recent == nullptr || recent->empty()) {
        menu->addAction(QStringLiteral("(なし)"))->setEnabled(false);
        mnuForgetRecent->Enabled(false);
        return;
    }
    int number = 0;
    for (const SessionSettings::Document& document : *recent) {
        ++number;
        const QString label = number < 10 ? QStringLiteral("&%1 %2").arg(number)
                                          : QStringLiteral("%1 %2").arg(number);
        const QString path = document.path;
        // A name kept as bytes is shown decoded; the entry still opens the bytes themselves.
        QAction* entry = menu->addAction(
            label.arg(QString::fromStdU16String(PathBytes::display(path.toStdU16String()))));
        connect(entry, &QAction::triggered, this, [this, path] {
            handleEvent("openRecentFile", [this, &path] { openRecentFile(path); });
        });
    }
    mnuForgetRecent->Enabled(true);
}

void frmMain::openRecentFile(const QString& path) {
    if (!FileFollower::signatureOf(path).exists) {
        messages_.showMessage(PathBytes::display(path.toStdU16String()) +
                              u" が見つかりません。最近使ったファイルの一覧から外します。");
        if (settings_) settings_->removeRecent(path);
        rebuildRecentMenu();
        return;
    }
    openFile(path.toStdU16String());
}

void frmMain::mnuForgetRecent_Click() {
    if (settings_) settings_->forgetRecent();
    rebuildRecentMenu();
}

// ---- Following the files

void frmMain::mnuFollowFiles_Click() {
    const bool on = !mnuFollowFiles->Checked();
    mnuFollowFiles->Checked(on);
    follower_->setEnabled(on);
}

void frmMain::onFileChanged(const QString& path) {
    const auto readAs = FileFollower::signatureOf(path);
    // An editor that saves by emptying the file and writing it afresh leaves it empty for a
    // moment: the last good reading stays on screen at its place until the content is back,
    // which is a change of its own.
    if (readAs.exists && readAs.size == 0) {
        showStatus(
            u"ファイルが空になったため前の内容を表示しています (書き込まれしだい読み直します): " +
            PathBytes::display(PathBytes::fileName(path.toStdU16String())));
        return;
    }
    bool failed = false;
    String reason;
    for (Integer i = 1; i <= m_obViewS.Count(); ++i) {
        if (qPath(m_obViewS.Item(i).FullPathName()) != path) continue;
        // No message box: what stopped the reading goes to the status bar.
        RecordingMessageSink sink;
        if (!reloadDocument(i, sink, true)) {
            failed = true;
            if (!sink.messages().empty()) reason = sink.messages().front();
        }
    }
    if (failed) {
        follower_->retryLater(path);
        showStatus(u"読み直せません: " + causeFirst(reason));
    } else {
        follower_->markRead(path, readAs);
    }
}

}  // namespace tavelo
