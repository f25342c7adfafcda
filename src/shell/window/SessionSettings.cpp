#include "SessionSettings.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <utility>

#include "common/PathBytes.h"

namespace tavelo {
namespace {

QString normalized(const QString& path) {
    return path.isEmpty() ? path : QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

void writeToStderr(const QString& line) {
    std::fputs((line + u'\n').toUtf8().constData(), stderr);
    std::fflush(stderr);
}

// The colour as the file writes it: "#rrggbb", from the classic 0x00BBGGRR layout.
QString colorText(std::int32_t color) {
    const int red = color & 0xFF, green = (color >> 8) & 0xFF, blue = (color >> 16) & 0xFF;
    return QStringLiteral("#%1%2%3")
        .arg(red, 2, 16, QLatin1Char('0'))
        .arg(green, 2, 16, QLatin1Char('0'))
        .arg(blue, 2, 16, QLatin1Char('0'));
}

bool parseColor(const QString& text, std::int32_t& color) {
    if (text.size() != 7 || text[0] != u'#') return false;
    bool ok = false;
    const uint rgb = text.mid(1).toUInt(&ok, 16);
    if (!ok) return false;
    color = static_cast<std::int32_t>((rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF));
    return true;
}

bool parseInt(const QSettings& settings, const QString& key, int& value) {
    bool ok = false;
    const int read = settings.value(key).toString().toInt(&ok);
    if (ok) value = read;
    return ok;
}

void writeDocument(QSettings& settings, const SessionSettings::Document& document) {
    settings.setValue(QStringLiteral("path"), document.path);
    // A name that is not UTF-8 is kept as bytes in the program (PathBytes), which the file's
    // UTF-8 text cannot hold: its bytes are written beside it.
    const std::string bytes = PathBytes::toSystem(document.path.toStdU16String());
    if (QByteArray::fromStdString(bytes) != document.path.toUtf8())
        settings.setValue(QStringLiteral("pathBytes"), QByteArray::fromStdString(bytes));
    settings.setValue(QStringLiteral("style"), document.place.style);
    settings.setValue(QStringLiteral("line"), document.place.firstLine);
    settings.setValue(QStringLiteral("tier"), document.place.tier);
    // Only prose documents have a character for their place; files without it read as 0.
    if (document.place.paragraph != 0 || document.place.offset != 0) {
        settings.setValue(QStringLiteral("paragraph"), document.place.paragraph);
        settings.setValue(QStringLiteral("offset"), document.place.offset);
    }
}

bool readDocument(QSettings& settings, SessionSettings::Document& document) {
    document.path = settings.value(QStringLiteral("path")).toString();
    if (settings.contains(QStringLiteral("pathBytes")))
        document.path = QString::fromStdU16String(PathBytes::fromSystem(
            settings.value(QStringLiteral("pathBytes")).toByteArray().toStdString()));
    bool ok = !document.path.isEmpty() &&
              parseInt(settings, QStringLiteral("style"), document.place.style) &&
              parseInt(settings, QStringLiteral("line"), document.place.firstLine) &&
              parseInt(settings, QStringLiteral("tier"), document.place.tier);
    if (ok && settings.contains(QStringLiteral("paragraph")))
        ok = parseInt(settings, QStringLiteral("paragraph"), document.place.paragraph) &&
             parseInt(settings, QStringLiteral("offset"), document.place.offset) &&
             document.place.paragraph >= 0 && document.place.offset >= 0;
    return ok;
}

void writeDocuments(QSettings& settings, const QString& name,
                    const std::vector<SessionSettings::Document>& documents) {
    settings.beginWriteArray(name, static_cast<int>(documents.size()));
    for (std::size_t i = 0; i < documents.size(); ++i) {
        settings.setArrayIndex(static_cast<int>(i));
        writeDocument(settings, documents[i]);
    }
    settings.endArray();
}

bool readDocuments(QSettings& settings, const QString& name,
                   std::vector<SessionSettings::Document>& documents) {
    const int count = settings.beginReadArray(name);
    bool ok = count >= 0;
    for (int i = 0; ok && i < count; ++i) {
        settings.setArrayIndex(i);
        SessionSettings::Document document;
        ok = readDocument(settings, document);
        documents.push_back(document);
    }
    settings.endArray();
    return ok;
}

// The bookmarks as one list of entries, each with its file's path and place.
void writeBookmarks(QSettings& settings,
                    const std::map<QString, std::vector<SessionSettings::Bookmark>>& bookmarks) {
    settings.beginWriteArray(QStringLiteral("Bookmarks"));
    int i = 0;
    for (const auto& [path, marks] : bookmarks) {
        for (const SessionSettings::Bookmark& mark : marks) {
            settings.setArrayIndex(i++);
            writeDocument(settings, {path, mark.place});
            settings.setValue(QStringLiteral("name"), mark.name);
            settings.setValue(QStringLiteral("made"), mark.made);
        }
    }
    settings.endArray();
}

bool readBookmarks(QSettings& settings,
                   std::map<QString, std::vector<SessionSettings::Bookmark>>& bookmarks) {
    const int count = settings.beginReadArray(QStringLiteral("Bookmarks"));
    bool ok = count >= 0;
    for (int i = 0; ok && i < count; ++i) {
        settings.setArrayIndex(i);
        SessionSettings::Document document;
        ok = readDocument(settings, document);
        SessionSettings::Bookmark mark{document.place,
                                       settings.value(QStringLiteral("name")).toString(),
                                       settings.value(QStringLiteral("made")).toLongLong(&ok)};
        bookmarks[document.path].push_back(mark);
    }
    settings.endArray();
    return ok;
}

}  // namespace

// ---- Places

int SessionSettings::Place::position() const {
    return style == 1 ? 2 * (firstLine - 1) + tier : firstLine - 1;
}

SessionSettings::Place SessionSettings::Place::fromPosition(int style, int position) {
    if (style == 1) return Place{1, position / 2 + 1, position % 2};
    return Place{0, position + 1, 0};
}

SessionSettings::Place SessionSettings::Place::clampedTo(int lineCount) const {
    const int lines = std::max(1, lineCount);
    const int clampedStyle = style == 1 ? 1 : 0;
    const Place inside{clampedStyle, std::clamp(firstLine, 1, lines + 1),
                       clampedStyle == 1 && tier == 1 ? 1 : 0};
    const int last = clampedStyle == 1 ? 2 * lines - 1 : lines - 1;
    return fromPosition(clampedStyle, std::clamp(inside.position(), 0, last));
}

// ---- Life

SessionSettings::SessionSettings(const QString& folder, Reporter report, QObject* parent)
    : QObject(parent),
      folder_(folder.isEmpty() ? defaultFolder() : folder),
      filePath_(QDir(folder_).filePath(QStringLiteral("tavelo.ini"))),
      report_(report ? std::move(report) : Reporter(writeToStderr)) {
    timer_.setSingleShot(true);
    timer_.setInterval(kDebounceMs);
    connect(&timer_, &QTimer::timeout, this, [this] { flush(); });
}

SessionSettings::~SessionSettings() {
    flush();
}

QString SessionSettings::defaultFolder() {
    // On Linux this follows $XDG_CONFIG_HOME, falling back to ~/.config.
    return QDir(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation))
        .filePath(QStringLiteral("tavelo"));
}

void SessionSettings::changed() {
    dirty_ = true;
    // Not restarted by later changes: a steady stream of them (scrolling) still gets written
    // once per interval.
    if (!timer_.isActive()) timer_.start();
}

void SessionSettings::resetToDefaults() {
    geometry_.clear();
    windowState_.clear();
    zoom_ = kDefaultZoom;
    style_ = 0;
    hitColor_ = kDefaultHitColor;
    searchWords_.clear();
    open_.clear();
    current_ = -1;
    recent_.clear();
    bookmarks_.clear();
    reader_ = ReaderOptions();
}

// A digest of everything kept, written with it: a file cut short or changed by hand no
// longer matches and is not half believed.
QByteArray SessionSettings::checksum() const {
    // Plain lengths and bytes: QDataStream would tell a null string from an empty one, and
    // the file does not.
    QCryptographicHash hash(QCryptographicHash::Sha256);
    auto add = [&hash](const QByteArray& bytes) {
        hash.addData(QByteArray::number(bytes.size()) + ':');
        hash.addData(bytes);
    };
    auto addNumber = [&add](long long value) { add(QByteArray::number(value)); };
    add(geometry_);
    add(windowState_);
    addNumber(zoom_);
    addNumber(style_);
    addNumber(hitColor_);
    addNumber(searchWords_.size());
    for (const QString& word : searchWords_) add(word.toUtf8());
    addNumber(current_);
    for (const auto* list : {&open_, &recent_}) {
        addNumber(static_cast<long long>(list->size()));
        for (const Document& document : *list) {
            add(document.path.toUtf8());
            addNumber(document.place.style);
            addNumber(document.place.firstLine);
            addNumber(document.place.tier);
            if (document.place.paragraph != 0 || document.place.offset != 0) {
                addNumber(document.place.paragraph);
                addNumber(document.place.offset);
            }
        }
    }
    // What older files do not have is added only when there is some, so that they still match.
    for (const auto& [path, marks] : bookmarks_) {
        add(path.toUtf8());
        for (const Bookmark& mark : marks) {
            addNumber(mark.place.style);
            addNumber(mark.place.firstLine);
            addNumber(mark.place.tier);
            addNumber(mark.place.paragraph);
            addNumber(mark.place.offset);
            add(mark.name.toUtf8());
            addNumber(mark.made);
        }
    }
    if (reader_ != ReaderOptions()) {
        addNumber(reader_.showProgress ? 1 : 0);
        addNumber(reader_.rubyMode);
        addNumber(reader_.copyRuby ? 1 : 0);
    }
    return hash.result().toHex().left(32);
}

// ---- Reading

SessionSettings::LoadResult SessionSettings::load() {
    timer_.stop();
    dirty_ = false;
    readOnly_ = false;
    resetToDefaults();
    LoadResult result = LoadResult::Loaded;
    if (readFrom(filePath_, result)) return result;
    resetToDefaults();
    switch (result) {
        case LoadResult::Loaded:
        case LoadResult::Missing:
            break;
        case LoadResult::Unreadable:
            // Writing there fails as well: one line says it all.
            writeFailureReported_ = true;
            report_(QStringLiteral("tavelo: cannot read the settings file %1; using the defaults")
                        .arg(filePath_));
            break;
        case LoadResult::Corrupt:
            report_(QStringLiteral("tavelo: the settings file %1 is damaged; using the defaults")
                        .arg(filePath_));
            break;
        case LoadResult::NewerVersion:
            readOnly_ = true;
            report_(QStringLiteral("tavelo: the settings file %1 is from a newer version; using "
                                   "the defaults and leaving it unchanged")
                        .arg(filePath_));
            break;
    }
    return result;
}

bool SessionSettings::readFrom(const QString& path, LoadResult& result) {
    const QFileInfo info(path);
    if (!info.exists()) {
        result = LoadResult::Missing;
        return false;
    }
    QFile file(path);
    if (!info.isFile() || !file.open(QIODevice::ReadOnly)) {
        result = LoadResult::Unreadable;
        return false;
    }
    file.close();
    result = LoadResult::Corrupt;
    QSettings settings(path, QSettings::IniFormat);
    if (settings.status() == QSettings::AccessError) result = LoadResult::Unreadable;
    if (settings.status() != QSettings::NoError) return false;

    int version = 0;
    if (!parseInt(settings, QStringLiteral("version"), version) || version < 1) return false;
    if (version > kFormatVersion) {
        result = LoadResult::NewerVersion;
        return false;
    }
    geometry_ = settings.value(QStringLiteral("Window/geometry")).toByteArray();
    windowState_ = settings.value(QStringLiteral("Window/state")).toByteArray();
    if (!parseInt(settings, QStringLiteral("View/zoom"), zoom_) ||
        !parseInt(settings, QStringLiteral("View/style"), style_) ||
        !parseColor(settings.value(QStringLiteral("View/hitColor")).toString(), hitColor_) ||
        !parseInt(settings, QStringLiteral("Open/current"), current_))
        return false;
    const int words = settings.beginReadArray(QStringLiteral("Search"));
    for (int i = 0; i < words; ++i) {
        settings.setArrayIndex(i);
        searchWords_.append(settings.value(QStringLiteral("word")).toString());
    }
    settings.endArray();
    if (!readDocuments(settings, QStringLiteral("Open"), open_) ||
        !readDocuments(settings, QStringLiteral("Recent"), recent_) ||
        !readBookmarks(settings, bookmarks_))
        return false;
    reader_.showProgress = settings.value(QStringLiteral("Reader/progress"), true).toBool();
    reader_.rubyMode = settings.value(QStringLiteral("Reader/ruby"), 0).toInt();
    reader_.copyRuby = settings.value(QStringLiteral("Reader/copyRuby"), true).toBool();
    if (settings.value(QStringLiteral("checksum")).toString().toLatin1() != checksum())
        return false;

    // Values the file may hold but this program cannot show are put back in range.
    if (zoom_ <= 0) zoom_ = kDefaultZoom;
    if (style_ != 1) style_ = 0;
    if (current_ < -1 || current_ >= static_cast<int>(open_.size()))
        current_ = open_.empty() ? -1 : 0;
    if (recent_.size() > static_cast<std::size_t>(kMaxRecentFiles)) recent_.resize(kMaxRecentFiles);
    if (reader_.rubyMode < 0 || reader_.rubyMode > 2) reader_.rubyMode = 0;
    result = LoadResult::Loaded;
    return true;
}

// ---- Writing

bool SessionSettings::flush() {
    timer_.stop();
    if (!dirty_) return true;
    if (readOnly_) {
        dirty_ = false;
        return true;
    }
    QString error;
    if (!writeTo(filePath_, error)) {
        // The state stays in memory and is written by the next change or the flush at exit.
        dirty_ = false;
        reportWriteFailure(error);
        return false;
    }
    dirty_ = false;
    writeFailureReported_ = false;
    ++writeCount_;
    return true;
}

void SessionSettings::reportWriteFailure(const QString& reason) {
    if (writeFailureReported_) return;
    writeFailureReported_ = true;
    report_(QStringLiteral("tavelo: cannot write the settings file %1: %2").arg(filePath_, reason));
}

bool SessionSettings::writeTo(const QString& path, QString& error) const {
    const QFileInfo target(path);
    if (!QDir().mkpath(folder_)) {
        error = QStringLiteral("cannot create the folder");
        return false;
    }
    if (target.exists() && (!target.isFile() || !target.isWritable())) {
        error = QStringLiteral("the file is not writable");
        return false;
    }
    // A fresh name for every write: QSettings caches what it parsed by file name.
    const QString temporary = QDir(folder_).filePath(QStringLiteral(".tavelo.ini.%1.%2.tmp")
                                                         .arg(QCoreApplication::applicationPid())
                                                         .arg(writeCount_));
    QFile::remove(temporary);
    {
        QSettings settings(temporary, QSettings::IniFormat);
        settings.clear();
        settings.setValue(QStringLiteral("version"), kFormatVersion);
        settings.setValue(QStringLiteral("checksum"), QString::fromLatin1(checksum()));
        settings.setValue(QStringLiteral("Window/geometry"), geometry_);
        settings.setValue(QStringLiteral("Window/state"), windowState_);
        settings.setValue(QStringLiteral("View/zoom"), zoom_);
        settings.setValue(QStringLiteral("View/style"), style_);
        settings.setValue(QStringLiteral("View/hitColor"), colorText(hitColor_));
        settings.beginWriteArray(QStringLiteral("Search"), static_cast<int>(searchWords_.size()));
        for (int i = 0; i < searchWords_.size(); ++i) {
            settings.setArrayIndex(i);
            settings.setValue(QStringLiteral("word"), searchWords_[i]);
        }
        settings.endArray();
        writeDocuments(settings, QStringLiteral("Open"), open_);
        settings.setValue(QStringLiteral("Open/current"), current_);
        writeDocuments(settings, QStringLiteral("Recent"), recent_);
        writeBookmarks(settings, bookmarks_);
        if (reader_ != ReaderOptions()) {
            settings.setValue(QStringLiteral("Reader/progress"), reader_.showProgress);
            settings.setValue(QStringLiteral("Reader/ruby"), reader_.rubyMode);
            settings.setValue(QStringLiteral("Reader/copyRuby"), reader_.copyRuby);
        }
        settings.sync();
        if (settings.status() != QSettings::NoError) {
            QFile::remove(temporary);
            error = QStringLiteral("cannot write a new file in the folder");
            return false;
        }
    }
    // rename() replaces the old file in one step: a reader sees the old file or the new one.
    if (std::rename(QFile::encodeName(temporary).constData(),
                    QFile::encodeName(path).constData()) != 0) {
        error = QString::fromLocal8Bit(std::strerror(errno));
        QFile::remove(temporary);
        return false;
    }
    return true;
}

// ---- Values

void SessionSettings::setWindowGeometry(const QByteArray& geometry) {
    if (geometry == geometry_) return;
    geometry_ = geometry;
    changed();
}

void SessionSettings::setWindowState(const QByteArray& state) {
    if (state == windowState_) return;
    windowState_ = state;
    changed();
}

void SessionSettings::setZoom(int percent) {
    if (percent <= 0 || percent == zoom_) return;
    zoom_ = percent;
    changed();
}

void SessionSettings::setStyle(int style) {
    const int value = style == 1 ? 1 : 0;
    if (value == style_) return;
    style_ = value;
    changed();
}

void SessionSettings::setHitColor(std::int32_t color) {
    const std::int32_t value = color & 0xFFFFFF;
    if (value == hitColor_) return;
    hitColor_ = value;
    changed();
}

void SessionSettings::setSearchWords(const QStringList& words) {
    if (words == searchWords_) return;
    searchWords_ = words;
    changed();
}

void SessionSettings::setOpenDocuments(const std::vector<Document>& documents, int current) {
    std::vector<Document> list;
    for (const Document& document : documents)
        if (!document.path.isEmpty()) list.push_back({normalized(document.path), document.place});
    const int index = current >= 0 && current < static_cast<int>(list.size()) ? current : -1;
    if (list == open_ && index == current_) return;
    open_ = std::move(list);
    current_ = index;
    changed();
}

// ---- Recent files

void SessionSettings::touchRecent(const QString& path, const Place& place) {
    const QString key = normalized(path);
    if (key.isEmpty()) return;
    if (!recent_.empty() && recent_.front() == Document{key, place}) return;
    std::erase_if(recent_, [&](const Document& document) { return document.path == key; });
    recent_.insert(recent_.begin(), Document{key, place});
    if (recent_.size() > static_cast<std::size_t>(kMaxRecentFiles)) recent_.resize(kMaxRecentFiles);
    changed();
}

void SessionSettings::touchRecent(const QString& path) {
    touchRecent(path, placeOf(path));
}

void SessionSettings::removeRecent(const QString& path) {
    const QString key = normalized(path);
    if (std::erase_if(recent_, [&](const Document& document) { return document.path == key; }))
        changed();
}

void SessionSettings::forgetRecent() {
    if (recent_.empty()) return;
    recent_.clear();
    changed();
}

SessionSettings::Place SessionSettings::placeOf(const QString& path) const {
    const QString key = normalized(path);
    for (const auto* list : {&open_, &recent_})
        for (const Document& document : *list)
            if (document.path == key) return document.place;
    return Place{style_, 1, 0};
}

bool SessionSettings::knows(const QString& path) const {
    const QString key = normalized(path);
    for (const auto* list : {&open_, &recent_})
        for (const Document& document : *list)
            if (document.path == key) return true;
    return false;
}

void SessionSettings::rememberPlace(const QString& path, const Place& place) {
    const QString key = normalized(path);
    bool any = false;
    for (auto* list : {&open_, &recent_})
        for (Document& document : *list)
            if (document.path == key && document.place != place) {
                document.place = place;
                any = true;
            }
    if (any) changed();
}

// ---- Bookmarks and the reader's options

std::vector<SessionSettings::Bookmark> SessionSettings::bookmarksOf(const QString& path) const {
    const auto found = bookmarks_.find(normalized(path));
    return found == bookmarks_.end() ? std::vector<Bookmark>() : found->second;
}

void SessionSettings::setBookmarks(const QString& path, const std::vector<Bookmark>& bookmarks) {
    const QString key = normalized(path);
    if (key.isEmpty() || bookmarksOf(key) == bookmarks) return;
    if (bookmarks.empty())
        bookmarks_.erase(key);
    else
        bookmarks_[key] = bookmarks;
    changed();
}

void SessionSettings::setReaderOptions(const ReaderOptions& options) {
    ReaderOptions value = options;
    if (value.rubyMode < 0 || value.rubyMode > 2) value.rubyMode = 0;
    if (value == reader_) return;
    reader_ = value;
    changed();
}

}  // namespace tavelo
