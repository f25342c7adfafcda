#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <vector>

namespace tavelo {

// What the program remembers between runs, kept in one INI file in the user's configuration
// folder ($XDG_CONFIG_HOME/tavelo/tavelo.ini, normally ~/.config/tavelo/tavelo.ini).
//
// Given: the folder (the user's one unless a test gives another) and a reporter for the one
// line a bad file or a failed write is worth (standard error unless given).
// Kept: the window's geometry and state, the zoom, the style, the hit colour, the last search
// words, the open documents in menu order with the current one, up to 20 recent files,
// newest first, each with its place, the bookmarks of every file and the reader's options.
//
// Every setter only changes the state in memory and asks for a write: writes are merged and
// made at most once per debounce interval; flush() writes at once (at exit). A write replaces
// the file atomically (a new file in the same folder, renamed over the old one), so a crash
// while writing leaves the old file. A file that cannot be read, is corrupt, truncated or from
// a newer version gives the defaults and one line on the reporter; a write that fails is
// reported once and the state in memory stays as it is. A newer version's file is never
// written over.
class SessionSettings : public QObject {
    Q_OBJECT
public:
    static constexpr int kFormatVersion = 1;
    static constexpr int kMaxRecentFiles = 20;
    static constexpr int kDefaultZoom = 100;
    static constexpr std::int32_t kDefaultHitColor = 0xFF0000;  // blue, as 0x00BBGGRR
    static constexpr int kDebounceMs = 300;

    // Where a document was read: the style (0 small, 1 large), the first visible line (from 1)
    // and, in the large style, the tier (0 upper, 1 lower).
    struct Place {
        int style = 0;
        int firstLine = 1;
        int tier = 0;
        // A prose document's place: the character first on its page (paragraph, offset).
        int paragraph = 0;
        int offset = 0;
        friend bool operator==(const Place&, const Place&) = default;

        // The scroll position of the place: the line in the small style, the line and tier
        // in the large style (2 per line).
        [[nodiscard]] int position() const;
        [[nodiscard]] static Place fromPosition(int style, int position);
        // The place moved back inside a document of `lineCount` lines: a place past the end
        // becomes the last position of the style, a bad style or tier the first.
        [[nodiscard]] Place clampedTo(int lineCount) const;
    };

    struct Document {
        QString path;  // absolute
        Place place;
        friend bool operator==(const Document&, const Document&) = default;
    };

    // A place the reader marked in a file: named after its first words, with the time it was
    // made (seconds since the epoch).
    struct Bookmark {
        Place place;
        QString name;
        qint64 made = 0;
        friend bool operator==(const Bookmark&, const Bookmark&) = default;
    };

    // How the reader likes the text: the progress in the status bar, the ruby shown (0 all,
    // 1 none, 2 under the pointer), copies with ruby in the notation ｜base《reading》.
    struct ReaderOptions {
        bool showProgress = true;
        int rubyMode = 0;
        bool copyRuby = true;
        friend bool operator==(const ReaderOptions&, const ReaderOptions&) = default;
    };

    // Why load() gave the defaults; Loaded and Missing report nothing.
    enum class LoadResult { Loaded, Missing, Unreadable, Corrupt, NewerVersion };

    using Reporter = std::function<void(const QString& line)>;

    // `folder` empty: the user's configuration folder. `report` empty: standard error.
    explicit SessionSettings(const QString& folder = QString(), Reporter report = Reporter(),
                             QObject* parent = nullptr);
    // Writes what is pending.
    ~SessionSettings() override;
    SessionSettings(const SessionSettings&) = delete;
    SessionSettings& operator=(const SessionSettings&) = delete;

    [[nodiscard]] QString filePath() const { return filePath_; }
    [[nodiscard]] static QString defaultFolder();

    // Reads the file; on any fault the state is the defaults and one line is reported.
    LoadResult load();
    // Writes now if anything changed since the last write; false when the write failed.
    bool flush();
    [[nodiscard]] bool hasPendingWrite() const { return dirty_; }
    // The number of writes made; tests read it to see that changes were merged.
    [[nodiscard]] int writeCount() const { return writeCount_; }
    void setDebounceInterval(int ms) { timer_.setInterval(ms); }

    [[nodiscard]] QByteArray windowGeometry() const { return geometry_; }
    void setWindowGeometry(const QByteArray& geometry);
    [[nodiscard]] QByteArray windowState() const { return windowState_; }
    void setWindowState(const QByteArray& state);
    [[nodiscard]] int zoom() const { return zoom_; }  // percent
    void setZoom(int percent);
    [[nodiscard]] int style() const { return style_; }
    void setStyle(int style);
    [[nodiscard]] std::int32_t hitColor() const { return hitColor_; }  // 0x00BBGGRR
    void setHitColor(std::int32_t color);
    [[nodiscard]] QStringList searchWords() const { return searchWords_; }
    void setSearchWords(const QStringList& words);

    // The documents that were open, in menu order, and the index of the current one (-1: none).
    [[nodiscard]] const std::vector<Document>& openDocuments() const { return open_; }
    [[nodiscard]] int currentDocument() const { return current_; }
    void setOpenDocuments(const std::vector<Document>& documents, int current);

    // Recent files, newest first, at most kMaxRecentFiles.
    [[nodiscard]] const std::vector<Document>& recentFiles() const { return recent_; }
    // The file moves to the front of the list (added when new) with its place.
    void touchRecent(const QString& path, const Place& place);
    void touchRecent(const QString& path);  // keeps the remembered place
    void removeRecent(const QString& path);
    void forgetRecent();
    // The remembered place of a file: an open document's first, then a recent file's.
    [[nodiscard]] Place placeOf(const QString& path) const;
    [[nodiscard]] bool knows(const QString& path) const;
    // Records where a document is read now, in the open list and the recent list alike.
    void rememberPlace(const QString& path, const Place& place);

    // The bookmarks of a file, in the order they were made; kept by the file's path whether
    // it is open or not.
    [[nodiscard]] std::vector<Bookmark> bookmarksOf(const QString& path) const;
    void setBookmarks(const QString& path, const std::vector<Bookmark>& bookmarks);

    [[nodiscard]] ReaderOptions readerOptions() const { return reader_; }
    void setReaderOptions(const ReaderOptions& options);

private:
    void changed();
    void resetToDefaults();
    [[nodiscard]] QByteArray checksum() const;
    [[nodiscard]] bool readFrom(const QString& path, LoadResult& result);
    [[nodiscard]] bool writeTo(const QString& path, QString& error) const;
    void reportWriteFailure(const QString& reason);

    QString folder_;
    QString filePath_;
    Reporter report_;
    QTimer timer_;
    bool dirty_ = false;
    bool readOnly_ = false;  // a newer version's file: left alone
    bool writeFailureReported_ = false;
    int writeCount_ = 0;

    QByteArray geometry_;
    QByteArray windowState_;
    int zoom_ = kDefaultZoom;
    int style_ = 0;
    std::int32_t hitColor_ = kDefaultHitColor;
    QStringList searchWords_;
    std::vector<Document> open_;
    int current_ = -1;
    std::vector<Document> recent_;
    std::map<QString, std::vector<Bookmark>> bookmarks_;  // by normalised path
    ReaderOptions reader_;
};

}  // namespace tavelo
