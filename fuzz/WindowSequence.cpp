// The window driven through a sequence of steps decoded from bytes, its invariants checked
// after every step (WindowSequence.h).
#include "WindowSequence.h"

#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QTest>
#include <QWidget>
#include <algorithm>
#include <cstdio>
#include <exception>
#include <functional>
#include <random>
#include <string_view>
#include <utility>

#include "common/CodePage932.h"
#include "common/Error.h"
#include "common/PathBytes.h"
#include "common/RecordingMessageSink.h"
#include "common/Utf8.h"
#include "shell/controls/ClassicColor.h"
#include "shell/controls/ClassicMouse.h"
#include "shell/controls/StatusBarPanel.h"
#include "shell/gdi/MFontDraw.h"
#include "prose/ProseText.h"
#include "shell/window/FileFollower.h"
#include "shell/window/ReaderTools.h"
#include "shell/window/SessionSettings.h"
#include "shell/window/StatusMessages.h"
#include "shell/window/frmMain.h"
#include "store/CViewData.h"
#include "support/FakeCommonDialog.h"
#include "support/WindowDriver.h"
#include "view/DocumentPainter.h"
#include "view/ScrollPosition.h"

namespace tavelo {

using testing::drive;
namespace {

// The pool's files, by the index a step names.
enum Pool : std::size_t {
    kSampleA,     // the two bundled samples
    kSampleB,
    kSmall,       // a small good file
    kBadBytes,    // invalid Shift-JIS pairs, control bytes and a NUL among good text
    kTooLarge,    // over the reader's 32,767 bytes
    kMissing,     // no such file (until a step writes it)
    kFolder,      // a folder named like a document
    kShiftJis,    // a good file whose name is Shift-JIS bytes, not UTF-8
    kNotTl2,      // a good file without the .tl2 extension (refused when dropped)
    kEmpty,       // no bytes at all
    kPoolSize
};

const char* const kPoolNames[kPoolSize] = {"kumo-no-ito.tl2", "wagahai.tl2", "small.tl2",
                                           "bad-bytes.tl2",   "too-large.tl2", "missing.tl2",
                                           "folder.tl2",      "",              "plain.txt",
                                           "empty.tl2"};
// 漢字.tl2 in Shift-JIS.
// A step's first byte from here on is one of the reader's tools.
constexpr std::uint8_t kReaderSteps = 230;
constexpr std::string_view kShiftJisName = "\x8a\xbf\x8e\x9a.tl2";

// The words a search step looks for: common, rare, absent, and one of half-width kana.
const char* const kWords[] = {"漢", "字", "の", "蜘蛛", "吾輩", "x", "ﾙﾋﾞ", "無い言葉"};

std::string sjis(std::string_view utf8Text) {
    return CodePage932::encode(utf8::toUtf16(utf8Text));
}

// A document of `lines` body lines of `length` characters, each line with ruby.
std::string documentBytes(int lines, int length) {
    std::string text;
    for (int g = 0; g < lines; ++g) {
        text += "ﾙﾋﾞ\r\n";
        for (int k = 0; k < length; ++k) text += (k % 2 == 0) ? "漢" : "字";
        text += "\r\n";
    }
    return sjis(text);
}

std::string badBytes() {
    std::string bytes = sjis("ﾙﾋﾞ\r\n漢字の行\r\n");
    bytes += std::string("\x81\x20\xff\xfe\x00\x07\x85\x40\r\n", 11);
    bytes += sjis("続く行\r\n");
    return bytes;
}

std::string tooLarge() {
    std::string bytes;
    while (bytes.size() <= 32767) bytes += sjis("吾輩は猫である。名前はまだ無い。\r\n");
    return bytes;
}

bool writeBytes(const String& path, const std::string& bytes) {
    std::FILE* file = std::fopen(PathBytes::toSystem(path).c_str(), "wb");
    if (file == nullptr) return false;
    const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    return std::fclose(file) == 0 && written;
}

std::string text(const String& value) {
    return QString::fromStdU16String(value).toStdString();
}

// What each open record is: its ID and the file it was read from.
struct Record {
    String id;
    String path;
    bool operator==(const Record&) const = default;
};

}  // namespace

// One run: a new window, its fakes and the model of its documents.
struct WindowSequence::Run {
    Run(const std::vector<String>& pool, const QString& settingsFolder)
        : pool(pool), settingsFolder(settingsFolder) {
        start();
    }

    // A new window with the settings of the folder, as the program starts.
    void start() {
        form = std::make_unique<frmMain>(dialog, messages);
        form->setTimeOfDay([this] { return clock(); });
        form->useSettings(settingsFolder);
    }

    const std::vector<String>& pool;
    const QString settingsFolder;
    testing::FakeCommonDialog dialog;
    RecordingMessageSink messages;
    int seconds = 0;
    std::unique_ptr<frmMain> form;
    std::vector<String> paths;  // the model: the file of each document, in menu order
    std::optional<String> emptied;  // the file the last step emptied on disk
    std::vector<std::string> log;

    String clock() const {
        const std::string time = "9:" + std::to_string(10 + seconds / 60 % 50) + ":" +
                                 std::to_string(10 + seconds % 50);
        return String(time.begin(), time.end());
    }

    [[nodiscard]] std::vector<Record> records() const {
        std::vector<Record> all;
        for (Integer i = 1; i <= drive(*form).documentCount(); ++i)
            all.push_back({drive(*form).document(i).ID(), drive(*form).document(i).FullPathName()});
        return all;
    }
    [[nodiscard]] Integer count() const {
        return static_cast<Integer>(drive(*form).documentCount());
    }
    [[nodiscard]] bool hasStyle() const {
        return drive(*form).styleChecked(0) || drive(*form).styleChecked(1);
    }
    [[nodiscard]] Integer style() const { return drive(*form).styleChecked(1) ? 1 : 0; }

    // What kind of step it was, for the checks that depend on it.
    enum class Kind { Other, Open, Reread, Restart };

    // What the window showed when the user quit: the next start brings it back.
    struct Quit {
        std::vector<String> paths;
        std::vector<SessionSettings::Place> places;
        Integer current = 0;
        Integer style = 0;
        int zoom = 100;
    };
    std::optional<Quit> quit;
    void quitAndRestart();
    [[nodiscard]] std::optional<std::string> checkRestart(std::size_t messagesBefore);

    // Runs step (what, argument); fills `opened` with the file an open or a drop may add.
    Kind step(std::uint8_t what, std::uint8_t arg, std::optional<String>& opened,
              std::string& name, const QString& folder);
    // The reader's tools: bookmarks, go to, a drag over the view, copy, the ruby shown.
    void readerStep(std::uint8_t what, std::uint8_t arg, std::string& name);
    // Bookmarks lie in their document; a selection's text is the text between its ends.
    [[nodiscard]] std::optional<std::string> checkReader();

    [[nodiscard]] std::optional<std::string> check(const std::vector<Record>& before, Kind kind,
                                                   const std::optional<String>& opened,
                                                   bool failed, std::size_t messagesBefore);
    // The menu, the dialogs, the position and the picture.
    [[nodiscard]] std::optional<std::string> checkView();
    // The document drawn at position `value` by new passes on a new surface of the view's size.
    [[nodiscard]] QImage freshRender(const CViewData& view, Integer value) const;
    // Every so many checks of the picture also compare it with a fresh render (which costs
    // as much as the rest of the step).
    static constexpr int kFreshRenderEvery = 8;
    int checks = 0;
};

WindowSequence::WindowSequence(const QString& sourceDir) {
    for (const char* sample : {"kumo-no-ito.tl2", "wagahai.tl2"}) {
        QFile file(sourceDir + QStringLiteral("/samples/") + QString::fromLatin1(sample));
        std::string bytes;
        if (file.open(QIODevice::ReadOnly)) bytes = file.readAll().toStdString();
        samples_.push_back(bytes);
    }
    const std::string folder = folder_.path().toStdString() + "/";
    for (std::size_t i = 0; i < kPoolSize; ++i) {
        const std::string name = i == kShiftJis ? std::string(kShiftJisName) : kPoolNames[i];
        pool_.push_back(PathBytes::fromSystem(folder + name));
    }
    QDir(folder_.path()).mkdir(QString::fromLatin1(kPoolNames[kFolder]));
}

WindowSequence::~WindowSequence() {
    // A name that is not UTF-8 is beyond the temporary folder's own clean-up.
    std::remove(PathBytes::toSystem(pool_[kShiftJis]).c_str());
}

void WindowSequence::writePool() {
    // Afresh for every run: the steps that change files on disk change these.
    writeBytes(pool_[kSampleA], samples_[0]);
    writeBytes(pool_[kSampleB], samples_[1]);
    writeBytes(pool_[kSmall], documentBytes(3, 12));
    writeBytes(pool_[kBadBytes], badBytes());
    writeBytes(pool_[kTooLarge], tooLarge());
    std::remove(PathBytes::toSystem(pool_[kMissing]).c_str());
    writeBytes(pool_[kShiftJis], documentBytes(6, 30));
    writeBytes(pool_[kNotTl2], documentBytes(2, 5));
    writeBytes(pool_[kEmpty], std::string());
}

WindowSequence::Run::Kind WindowSequence::Run::step(std::uint8_t what, std::uint8_t arg,
                                                    std::optional<String>& opened,
                                                    std::string& name, const QString& folder) {
    frmMain& w = *form;
    const String& file = pool[arg % pool.size()];
    if (what >= kReaderSteps) {
        readerStep(static_cast<std::uint8_t>(what - kReaderSteps), arg, name);
        return Kind::Other;
    }
    switch (what % 23) {
    case 0:  // open from the dialog
        name = "open " + text(PathBytes::display(file));
        dialog.nextFile = file;
        opened = file;
        w.mnuFileOpen_Click();
        return Kind::Open;
    case 1:  // the open dialog cancelled
        name = "open, cancelled";
        dialog.nextFile = std::nullopt;
        w.mnuFileOpen_Click();
        return Kind::Open;
    case 2: {  // drop one file: the drag comes in, moves, and is dropped
        name = "drop " + text(PathBytes::display(file));
        const std::vector<String> files{file};
        Long effect = 0;
        w.picView_OLEDragOver(files, effect, PictureBox::vbEnter);
        w.picView_OLEDragOver(files, effect, PictureBox::vbOver);
        if (effect == PictureBox::vbDropEffectCopy) {
            opened = file;
            w.picView_OLEDragDrop(files);
        }
        return Kind::Open;
    }
    case 3: {  // drop several files at once: refused
        name = "drop several";
        const std::vector<String> files{file, pool[(arg / 16) % pool.size()]};
        Long effect = 0;
        w.picView_OLEDragOver(files, effect, PictureBox::vbEnter);
        if (effect == PictureBox::vbDropEffectCopy) w.picView_OLEDragDrop(files);
        return Kind::Open;
    }
    case 4:  // another document from the menu
        if (count() == 0) break;
        name = "document " + std::to_string(1 + arg % count());
        w.mnuID_Click(static_cast<Integer>(1 + arg % count()));
        break;
    case 5:
        if (!drive(w).mnuStyle().Enabled()) break;
        name = "style " + std::to_string(arg % 2);
        w.mnuStyleType_Click(static_cast<Integer>(arg % 2));
        break;
    case 6: {  // the scroll bar dragged anywhere in its range
        if (!drive(w).hsb1().Enabled() || count() == 0 || !hasStyle()) break;
        const Integer last =
            ScrollPosition::of(drive(w).document(drive(w).currentIndex()), style()).last();
        const auto value = static_cast<Integer>(arg % (last + 1));
        name = "scroll to " + std::to_string(value);
        drive(w).scrollTo(value);
        break;
    }
    case 7:
        if (!drive(w).cmdHead().Enabled()) break;
        name = "to the beginning";
        w.cmdHead_Click();
        break;
    case 8:
        if (!drive(w).cmdEnd().Enabled()) break;
        name = "to the end";
        w.cmdEnd_Click();
        break;
    case 9: {  // a click on the view, across every zone and on their boundaries
        const Single x = drive(w).picView().ScaleWidth() * static_cast<Single>(arg % 9) / 8;
        const Integer button =
            arg >= 128 ? classicmouse::kRightButton : classicmouse::kLeftButton;
        name = "click at " + std::to_string(arg % 9) + "/8" + (arg >= 128 ? " (right)" : "");
        w.picView_MouseMove(0, 0, x, 10);
        w.picView_MouseDown(button, 0, x, 10);
        break;
    }
    case 10: {  // the wheel
        const int positions = static_cast<int>(arg % 16) - 8;
        name = "wheel by " + std::to_string(positions);
        w.scrollBy(positions);
        break;
    }
    case 11: {  // the keys on the scroll bar
        static const Qt::Key keys[] = {Qt::Key_Left,     Qt::Key_Right, Qt::Key_PageUp,
                                       Qt::Key_PageDown, Qt::Key_Home,  Qt::Key_End};
        const Qt::Key key = keys[arg % 6];
        name = "key " + std::to_string(arg % 6);
        QTest::keyClick(&drive(w).hsb1(), key);
        break;
    }
    case 12: {
        if (!drive(w).cmdSearch().Enabled()) break;
        const char* word = kWords[arg % std::size(kWords)];
        name = std::string("search ") + word;
        drive(w).typeSearch(utf8::toUtf16(word));
        w.cmdSearch_Click();
        break;
    }
    case 13:
        if (!drive(w).cmdNextHit().Enabled()) break;
        name = arg % 2 == 0 ? "next hit" : "previous hit";
        if (arg % 2 == 0)
            w.cmdNextHit_Click();
        else
            w.cmdPrevHit_Click();
        break;
    case 14:
        if (!drive(w).cmdClear().Enabled()) break;
        name = "clear";
        w.cmdClear_Click();
        break;
    case 15:
        if (!drive(w).mnuRenewal().Enabled()) break;
        name = "refresh";
        w.mnuRenewal_Click();
        return Kind::Reread;
    case 16: {  // the hit colour, chosen or cancelled
        if (!drive(w).mnuStyle().Enabled()) break;
        if (arg % 4 == 0)
            dialog.nextColor = std::nullopt;
        else
            dialog.nextColor = static_cast<Long>(arg) * 0x010203;
        name = "hit colour " + std::to_string(arg);
        w.mnuStyleType_Click(3);
        break;
    }
    case 17: {  // a file changed on disk: rewritten, emptied, made unreadable or deleted
        const std::size_t index = arg % pool.size();
        if (index == kFolder) break;
        const int change = arg / 16 % 5;
        name = "file " + text(PathBytes::display(file)) + " changed (" + std::to_string(change) +
               ")";
        if (change == 0) writeBytes(file, documentBytes(1 + arg / 4 % 40, 1 + arg % 37));
        if (change == 1) writeBytes(file, tooLarge());
        if (change == 2) writeBytes(file, badBytes());
        if (change == 3) {
            writeBytes(file, std::string());
            emptied = file;
        }
        if (change == 4) std::remove(PathBytes::toSystem(file).c_str());
        // What the watch on the file says when it sees the change.
        emit w.fileFollower().fileChanged(QString::fromStdU16String(file));
        return Kind::Reread;
    }
    case 18: {  // the window resized
        const int width = 40 + arg * 7;
        const int height = 60 + (arg * 13) % 900;
        name = "view " + std::to_string(width) + "x" + std::to_string(height);
        w.setViewSize(width, height);
        w.followViewSize();
        break;
    }
    case 19:
        if (arg % 2 == 0) {
            name = "zoom to " + std::to_string(arg * 2);
            w.zoomTo(arg * 2);
        } else {
            name = "zoom by " + std::to_string(arg % 8 - 4);
            w.zoomStep(arg % 8 - 4);
        }
        break;
    case 20: {  // the PDF export, to a temporary file
        if (!drive(w).mnuFileExportPdf().Enabled()) break;
        static const DocumentPrinter::Paper papers[] = {
            DocumentPrinter::Paper::A4Landscape, DocumentPrinter::Paper::A4Portrait,
            DocumentPrinter::Paper::B5, DocumentPrinter::Paper::A5};
        name = "PDF " + std::to_string(arg % 4);
        const QString pdf = folder + QStringLiteral("/export.pdf");
        if (!w.writePdf(pdf, papers[arg % 4]) || !QFile::exists(pdf))
            throw std::runtime_error("the PDF export of an open document wrote no file");
        QFile::remove(pdf);
        break;
    }
    case 21:  // quit, and start again: the session comes back
        name = "quit and restart";
        quitAndRestart();
        return Kind::Restart;
    default:  // time passes: the next IDs differ from the last, a passing message expires
        seconds += 1 + arg % 3;
        name = "clock " + text(clock());
        if (auto* status = w.findChild<StatusMessages*>()) status->expire();
        break;
    }
    return Kind::Other;
}

void WindowSequence::Run::readerStep(std::uint8_t what, std::uint8_t arg, std::string& name) {
    frmMain& w = *form;
    if (count() == 0) return;
    ReaderTools& tools = drive(w).tools();
    switch (what % 6) {
    case 0:
        name = "bookmark";
        tools.addBookmark();
        break;
    case 1: {
        const std::size_t marks = tools.bookmarks().size();
        if (marks == 0) break;
        name = "to bookmark " + std::to_string(arg % marks);
        tools.jumpToBookmark(arg % marks);
        break;
    }
    case 2: {
        static const ReaderTools::GoToKind kinds[] = {
            ReaderTools::GoToKind::Page, ReaderTools::GoToKind::Percent,
            ReaderTools::GoToKind::Character, ReaderTools::GoToKind::Line};
        const long value = static_cast<long>(arg / 4) * 37 - 20;
        name = "go to " + std::to_string(arg % 4) + " " + std::to_string(value);
        tools.goTo(kinds[arg % 4], value);
        break;
    }
    case 3: {  // a drag over the view, from one eighth of its width to another
        PictureBox& view = drive(w).picView();
        const int width = view.logicalSize().width();
        const int height = view.logicalSize().height();
        const QPoint from(width * (arg % 9) / 8, height * (arg / 9 % 5) / 4);
        const QPoint to(width * (arg / 45 % 6) / 4 - width / 4, height / 2);
        name = "drag " + std::to_string(arg);
        QTest::mousePress(&view, Qt::LeftButton, {}, from);
        QTest::mouseMove(&view, to);
        QTest::mouseRelease(&view, Qt::LeftButton, {}, to);
        break;
    }
    case 4:
        name = arg % 2 == 0 ? "copy" : "select all and copy";
        if (arg % 2 != 0) tools.selectAll();
        tools.copy();
        if (tools.hasSelection() && QGuiApplication::clipboard()->text() != tools.selectedText())
            throw std::runtime_error("the clipboard does not hold the selection copied");
        break;
    default:
        name = "ruby " + std::to_string(arg % 3);
        tools.setRubyMode(static_cast<ReaderTools::RubyMode>(arg % 3));
        break;
    }
}

std::optional<std::string> WindowSequence::Run::checkReader() {
    frmMain& w = *form;
    ReaderTools& tools = drive(w).tools();
    const bool prose = drive(w).currentIsProse();
    for (const SessionSettings::Bookmark& mark : tools.bookmarks()) {
        if (mark.name.isEmpty()) return "a bookmark without a name";
        if (!prose && mark.place.firstLine < 1)
            return "a bookmark at line " + std::to_string(mark.place.firstLine);
    }
    if (!tools.hasSelection()) return std::nullopt;
    // The text between the ends, character by character, as the reader sees them.
    const QString selected = tools.selectedText(false);
    if (prose) {
        const prose::ProseDocument& document = drive(w).proseDocument();
        const prose::CharacterIndex index(document);
        std::u32string expected;
        std::optional<std::size_t> paragraph;
        const auto ends = tools.selectionEnds();
        for (long i = index.indexOf(ends.first); i < index.indexOf(ends.second); ++i) {
            const prose::Place at = index.placeOf(i);
            for (std::size_t p = paragraph.value_or(at.paragraph); p < at.paragraph; ++p)
                expected += U'\n';
            paragraph = at.paragraph;
            expected += document.paragraphs[at.paragraph].text[at.offset];
        }
        for (std::size_t p = paragraph.value_or(ends.first.paragraph); p < ends.second.paragraph;
             ++p)
            expected += U'\n';
        if (selected.toStdU32String() != expected)
            return "the selection's text is not the text between its ends";
    }
    return std::nullopt;
}

QImage WindowSequence::Run::freshRender(const CViewData& view, Integer value) const {
    frmMain& w = *form;
    const QImage& shown = drive(w).viewImage();
    QImage image(shown.size(), QImage::Format_RGB32);
    image.setDevicePixelRatio(shown.devicePixelRatio());
    image.fill(colorFromLong(drive(w).picView().BackColor()));
    MFontDraw surface(image);
    surface.setDeviceScale(drive(w).picView().deviceRatio());
    DocumentPainter painter(surface, drive(w).m_obEisuuCyotai());
    const ScrollPosition::Shown at = ScrollPosition::of(view, style()).at(value);
    PaintState state = w.paintState();
    state.offsetX = at.offsetX;
    const bool ruby = drive(w).tools().drawsTl2Ruby();
    if (style() == 0) {
        painter.DrawSmallBun(view, state);
        if (ruby) painter.DrawSmallRubi(view, state);
    } else {
        painter.DrawBigBun(view, at.tier, state);
        if (ruby) painter.DrawBigRubi(view, at.tier, state);
    }
    drive(w).tools().drawSelectionOn(image);
    return image;
}

void WindowSequence::Run::quitAndRestart() {
    Quit state;
    for (Integer i = 1; i <= count(); ++i) {
        state.paths.push_back(drive(*form).document(i).FullPathName());
        state.places.push_back(form->placeOfDocument(i));
    }
    state.current = drive(*form).currentIndex();
    state.style = style();
    state.zoom = form->zoomPercent();
    quit = std::move(state);
    form->close();
    form.reset();
    start();
    form->restoreSession();
}

// After a restart: the documents whose files can still be read come back in their order, each
// at its place and the same one current, in the same style and zoom; a document left out is
// told of.
std::optional<std::string> WindowSequence::Run::checkRestart(std::size_t messagesBefore) {
    const Quit was = *quit;
    quit.reset();
    if (form->zoomPercent() != was.zoom)
        return "the zoom came back as " + std::to_string(form->zoomPercent()) + " for " +
               std::to_string(was.zoom);
    const std::vector<Record> now = records();
    std::size_t next = 0;
    for (std::size_t j = 0; j < now.size(); ++j) {
        while (next < was.paths.size() && was.paths[next] != now[j].path) ++next;
        if (next == was.paths.size())
            return "the restart opened " + text(now[j].path) + ", not open at the quit";
        const auto index = static_cast<Integer>(j + 1);
        SessionSettings::Place place = was.places[next];
        if (place.style != style()) place = {static_cast<int>(style()), place.firstLine, 0};
        const ScrollPosition positions = ScrollPosition::of(drive(*form).document(index), style());
        const Integer expected = positions.clamp(
            place.clampedTo(drive(*form).document(index).GyouArraySize()).position());
        const Integer shown = form->placeOfDocument(index).position();
        if (shown != expected)
            return "document " + std::to_string(index) + " came back at position " +
                   std::to_string(shown) + ", not " + std::to_string(expected);
        if (static_cast<Integer>(next + 1) == was.current && drive(*form).currentIndex() != index)
            return "document " + std::to_string(index) + " came back, but not as the current one";
        ++next;
    }
    if (!now.empty() && style() != was.style) return "the style did not come back";
    if (now.size() < was.paths.size() && messages.messages().size() == messagesBefore)
        return std::to_string(was.paths.size() - now.size()) + " of " +
               std::to_string(was.paths.size()) + " documents were left out without a word";
    paths.clear();
    for (const Record& record : now) paths.push_back(record.path);
    return std::nullopt;
}

std::optional<std::string> WindowSequence::Run::check(const std::vector<Record>& before, Kind kind,
                                                      const std::optional<String>& opened,
                                                      bool failed, std::size_t messagesBefore) {
    if (kind == Kind::Restart) {
        if (auto problem = checkRestart(messagesBefore)) return problem;
        return checkView();
    }
    const std::vector<Record> now = records();
    const std::size_t old = before.size();

    // No document replaced by another file; only an open adds one, of the file it opened.
    if (now.size() < old) return "a document was closed";
    for (std::size_t i = 0; i < old; ++i)
        if (now[i].path != paths[i])
            return "document " + std::to_string(i + 1) + " of " + text(paths[i]) +
                   " now holds " + text(now[i].path);
    if (now.size() > old + 1 || (now.size() > old && (kind != Kind::Open || !opened)))
        return "a step that opens nothing added a document";
    if (now.size() > old) {
        if (now.back().path != *opened)
            return "opening " + text(*opened) + " added " + text(now.back().path);
        paths.push_back(now.back().path);
    }
    // A step that fails changes no document, and an open that adds nothing leaves every
    // record as it was and tells why (unless the dialog was cancelled).
    if ((failed || (kind == Kind::Open && now.size() == old)) && now != before)
        return "a failing step changed the documents";
    if (kind == Kind::Open && opened && now.size() == old &&
        messages.messages().size() == messagesBefore)
        return "opening " + text(*opened) + " failed without a word";
    // Only a refresh or a changed file reads a document again, and gives it a new ID.
    if (kind != Kind::Reread && !std::equal(before.begin(), before.end(), now.begin()))
        return "a step that reads nothing again changed a document's ID";
    // A file emptied for a moment is not read: its documents stay as they were.
    const std::optional<String> wasEmptied = std::exchange(emptied, std::nullopt);
    for (std::size_t i = 0; wasEmptied && i < old; ++i)
        if (before[i].path == *wasEmptied && now[i].id != before[i].id)
            return "the emptied file " + text(*wasEmptied) + " replaced document " +
                   std::to_string(i + 1);
    return checkView();
}

std::optional<std::string> WindowSequence::Run::checkView() {
    frmMain& w = *form;
    const std::vector<Record> now = records();

    // The menu lists exactly the documents, in order, by their IDs.
    if (drive(w).mnuID().UBound() != count())
        return "the document menu has " + std::to_string(drive(w).mnuID().UBound()) +
               " entries for " + std::to_string(count()) + " documents";
    for (Integer i = 1; i <= count(); ++i) {
        const MenuItem& entry = drive(w).mnuID()(i);
        if (entry.Caption() != now[static_cast<std::size_t>(i - 1)].id || !entry.Visible())
            return "menu entry " + std::to_string(i) + " reads '" + text(entry.Caption()) +
                   "' for the document " + text(now[static_cast<std::size_t>(i - 1)].id);
    }

    if (QApplication::activeModalWidget() != nullptr) return "a modal dialog is open";
    for (QWidget* top : QApplication::topLevelWidgets())
        if (qobject_cast<QDialog*>(top) != nullptr && top->isVisible())
            return "a dialog is left open";

    if (count() == 0) return std::nullopt;
    if (drive(w).currentIndex() < 1 || drive(w).currentIndex() > count())
        return "the current document is number " + std::to_string(drive(w).currentIndex()) +
               " of " + std::to_string(count());
    if (!hasStyle()) return "documents are open but no style is checked";
    // Passing messages give the document's own text back: the bar is never left blank.
    if (drive(w).statusText().empty()) return "the status bar is blank";
    if (auto problem = checkReader()) return problem;

    if (drive(w).currentIsProse()) {
        // The scroll bar runs over the pages, and the line-number box shows the page.
        const Integer page = drive(w).scrollValue();
        if (page < 0 || page > drive(w).scrollMin())
            return "page " + std::to_string(page) + " outside 0.." +
                   std::to_string(drive(w).scrollMin());
        if (drive(w).lineNumberText() != utf8::toUtf16(std::to_string(page + 1)))
            return "the line-number box reads '" + text(drive(w).lineNumberText()) +
                   "' on page " + std::to_string(page + 1);
        const QImage shownPage = drive(w).viewImage();
        w.hsb1_Change();
        if (drive(w).viewImage() != shownPage) return "the view does not show the current page";
        return std::nullopt;
    }

    // The position lies inside the document, and the line-number box shows it.
    const CViewData& view = drive(w).document(drive(w).currentIndex());
    const ScrollPosition positions = ScrollPosition::of(view, style());
    const Integer value = drive(w).scrollValue();
    if (value < 0 || value > positions.last())
        return "position " + std::to_string(value) + " outside 0.." +
               std::to_string(positions.last());
    if (drive(w).scrollMin() != positions.last())
        return "the scroll bar ends at " + std::to_string(drive(w).scrollMin()) +
               ", the document at " + std::to_string(positions.last());
    const String lineNumber = positions.at(value).lineNumber;
    if (drive(w).lineNumberText() != lineNumber)
        return "the line-number box reads '" + text(drive(w).lineNumberText()) + "' at position " +
               std::to_string(value) + " of line '" + text(lineNumber) + "'";

    // The picture is the document at the position: drawing the same state again changes
    // no pixel. (Compared by a hash of the pixels: a copy of every picture cost more than
    // the rest of the step.)
    const auto pixels = [&w] {
        const QImage& image = drive(w).viewImage();
        const std::string_view bytes(reinterpret_cast<const char*>(image.constBits()),
                                     static_cast<std::size_t>(image.sizeInBytes()));
        return std::pair{image.size(), std::hash<std::string_view>{}(bytes)};
    };
    const auto shown = pixels();
    w.hsb1_Change();
    if (pixels() != shown) return "the view does not show the current position";
    // Now and then, a fresh render: new passes on a new surface, with none of the window's
    // caches, draw the document at the position the positions give; the view must match it.
    if (++checks % kFreshRenderEvery == 0 && drive(w).viewImage() != freshRender(view, value))
        return "the view differs from a fresh render of the document at position " +
               std::to_string(value);
    return std::nullopt;
}

std::optional<std::string> WindowSequence::run(const std::uint8_t* data, std::size_t size) {
    writePool();
    // Each run starts as a first start: no settings file.
    const QString settings = folder_.path() + QStringLiteral("/settings");
    QDir(settings).removeRecursively();
    Run run(pool_, settings);
    for (std::size_t i = 0; i + 1 < size; i += 2) {
        const std::vector<Record> before = run.records();
        const std::size_t messagesBefore = run.messages.messages().size();
        std::optional<String> opened;
        std::string name;
        bool failed = false;
        Run::Kind kind = Run::Kind::Other;
        try {
            kind = run.step(data[i], data[i + 1], opened, name, folder_.path());
        } catch (const Error& error) {
            // The window's event loop ends a handler that fails so; the state must hold.
            failed = true;
            name += " (ended: error " + std::to_string(static_cast<int>(error.number())) + ")";
        } catch (const std::exception& error) {
            return "step " + std::to_string(i / 2 + 1) + " " + name + " threw: " + error.what();
        }
        ++stepsRun_;
        if (name.empty()) continue;  // nothing the user could do: the control was disabled
        ++stepsActed_;
        run.log.push_back(name);
        if (auto problem = run.check(before, kind, opened, failed, messagesBefore)) {
            std::string report = "after step " + std::to_string(run.log.size()) + " (" + name +
                                 "): " + *problem + "\nsteps:";
            for (const std::string& done : run.log) report += "\n  " + done;
            return report;
        }
    }
    return std::nullopt;
}

std::vector<std::uint8_t> WindowSequence::randomSequence(std::uint32_t seed, int steps) {
    std::mt19937 random(seed);
    std::vector<std::uint8_t> bytes;
    for (int i = 0; i < 2 * steps; ++i) bytes.push_back(static_cast<std::uint8_t>(random() & 0xff));
    // Most sequences open a document first, so that the other steps have one to act on.
    if (seed % 4 != 0 && bytes.size() >= 2) {
        bytes[0] = 0;
        bytes[1] = static_cast<std::uint8_t>(seed % 3);
    }
    return bytes;
}

}  // namespace tavelo
