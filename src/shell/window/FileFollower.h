#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>

namespace tavelo {

// Tells when the file of an open document has changed on disk, for every document through one
// QFileSystemWatcher (each watcher costs one of the user's few inotify instances).
//
// Each file is watched together with its folder: an editor that writes a new file and renames
// it over the old one, or deletes and re-creates it, drops the file's watch, and the folder's
// watch notices the new file, whose watch is then added again (retried a few times while the
// file is not yet back). Bursts of changes are merged: fileChanged(path) comes once the file
// has been quiet for the quiet period, and only when its signature (size, modification time,
// identity) differs from that of the last good reading. A name the watcher cannot take as text
// (a Shift-JIS name kept as bytes, see PathBytes) is watched through a link of a plain name in
// a private folder, which the system's watch follows to the file or folder itself. When the
// system refuses a watch for a
// file that exists, that file is checked every poll interval instead, and watchesRefused()
// is emitted once.
//
// The consumer reads the file on fileChanged and then calls markRead (a good reading) or
// retryLater (the file could not be read, e.g. caught half-written: check again after the
// quiet period, at most kReadRetries times for one signature).
class FileFollower : public QObject {
    Q_OBJECT
public:
    static constexpr int kDefaultQuietMs = 400;
    static constexpr int kDefaultPollMs = 1000;
    static constexpr int kWatchRetries = 5;
    static constexpr int kReadRetries = 3;

    // What tells one state of a file from another.
    struct Signature {
        bool exists = false;
        std::int64_t size = -1;
        std::int64_t modifiedNs = 0;
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        friend bool operator==(const Signature&, const Signature&) = default;
    };
    [[nodiscard]] static Signature signatureOf(const QString& path);

    // Adds a watch for a path; false when the system refuses it. Tests give one that refuses.
    using WatchAdder = std::function<bool(QFileSystemWatcher& watcher, const QString& path)>;

    explicit FileFollower(QObject* parent = nullptr);
    ~FileFollower() override;
    FileFollower(const FileFollower&) = delete;
    FileFollower& operator=(const FileFollower&) = delete;

    void setQuietPeriod(int ms) { quietMs_ = ms; }
    void setPollInterval(int ms);
    void setWatchAdder(WatchAdder adder);

    // Starts following a file that has just been read; its signature now counts as read.
    void follow(const QString& path);
    // The same, with the signature taken before the reading began.
    void follow(const QString& path, const Signature& readAs);
    void unfollow(const QString& path);
    [[nodiscard]] QStringList followedFiles() const;
    [[nodiscard]] bool isFollowing(const QString& path) const;

    // Following is on by default; off, no watch is held and nothing is reported. Turned on
    // again, files that changed meanwhile are reported.
    void setEnabled(bool enabled);
    [[nodiscard]] bool isEnabled() const { return enabled_; }

    // A good reading of the file. Take the signature before reading (signatureOf) and pass it,
    // so that a change made during the reading is still reported; without it, the signature
    // now is recorded.
    void markRead(const QString& path);
    void markRead(const QString& path, const Signature& readAs);
    // The reading failed: check again after the quiet period.
    void retryLater(const QString& path);

    // Files are polled because the system refused watches.
    [[nodiscard]] bool isPolling() const { return pollTimer_.isActive(); }
    [[nodiscard]] const QFileSystemWatcher& watcher() const { return watcher_; }

signals:
    void fileChanged(const QString& path);
    // The system refused a watch: from now on some files are checked every poll interval.
    void watchesRefused();

private:
    struct Followed {
        QString folder;
        Signature lastRead;      // the last good reading
        Signature lastReported;  // what fileChanged was last emitted for
        Signature lastSeen;      // the last look, for polling
        std::uint64_t watchedInode = 0;
        bool watched = false;
        bool polled = false;
        bool retryRequested = false;
        int watchRetriesLeft = kWatchRetries;
        int readRetriesLeft = kReadRetries;
        std::unique_ptr<QTimer> quiet;
    };

    void onFileEvent(const QString& watched);
    void onFolderEvent(const QString& watched);
    void onPoll();
    // Something happened to the file: (re)start its quiet period.
    void stir(Followed& file);
    void check(const QString& path);
    // Makes sure the watch is on the file now at the path; false when it is missing.
    void rewatch(const QString& path, Followed& file, const Signature& now);
    void watchFolder(const QString& folder);
    void unwatchFolderIfUnused(const QString& folder);
    void refuse(Followed& file);
    void dropWatches();
    [[nodiscard]] Followed* find(const QString& path);
    // The name the watcher knows a path by: the path itself, or a link to it made here when the
    // watcher could not pass the path's bytes to the system.
    [[nodiscard]] QString watchedName(const QString& path);
    // The path a name from the watcher's signals stands for.
    [[nodiscard]] QString pathOf(const QString& watchedName) const;

    QFileSystemWatcher watcher_;
    WatchAdder addWatch_;
    QTimer pollTimer_;
    std::map<QString, Followed> files_;
    std::unique_ptr<QTemporaryDir> links_;
    std::map<QString, QString> linkOf_;  // path -> link
    std::map<QString, QString> pathOf_;  // link -> path
    int quietMs_ = kDefaultQuietMs;
    bool enabled_ = true;
    bool refusalReported_ = false;
};

}  // namespace tavelo
