#include "FileFollower.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <utility>

#include "common/PathBytes.h"

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace tavelo {
namespace {

QString keyOf(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}

}  // namespace

FileFollower::Signature FileFollower::signatureOf(const QString& path) {
#ifdef Q_OS_UNIX
    struct stat status {};
    // The bytes the path names: a name kept as bytes (PathBytes) is not UTF-8.
    if (::stat(PathBytes::toSystem(path.toStdU16String()).c_str(), &status) != 0 ||
        !S_ISREG(status.st_mode))
        return {};
    return Signature{
        true, static_cast<std::int64_t>(status.st_size),
        static_cast<std::int64_t>(status.st_mtim.tv_sec) * 1'000'000'000 + status.st_mtim.tv_nsec,
        static_cast<std::uint64_t>(status.st_dev), static_cast<std::uint64_t>(status.st_ino)};
#else
    const QFileInfo info(path);
    if (!info.isFile()) return {};
    return Signature{true, info.size(), info.lastModified().toMSecsSinceEpoch() * 1'000'000, 0, 0};
#endif
}

FileFollower::FileFollower(QObject* parent)
    : QObject(parent), addWatch_([](QFileSystemWatcher& watcher, const QString& path) {
          return watcher.addPath(path);
      }) {
    pollTimer_.setInterval(kDefaultPollMs);
    connect(&watcher_, &QFileSystemWatcher::fileChanged, this, &FileFollower::onFileEvent);
    connect(&watcher_, &QFileSystemWatcher::directoryChanged, this, &FileFollower::onFolderEvent);
    connect(&pollTimer_, &QTimer::timeout, this, &FileFollower::onPoll);
}

FileFollower::~FileFollower() = default;

void FileFollower::setPollInterval(int ms) {
    pollTimer_.setInterval(ms);
}

void FileFollower::setWatchAdder(WatchAdder adder) {
    addWatch_ = std::move(adder);
}

FileFollower::Followed* FileFollower::find(const QString& path) {
    const auto it = files_.find(path);
    return it == files_.end() ? nullptr : &it->second;
}

QStringList FileFollower::followedFiles() const {
    QStringList paths;
    for (const auto& entry : files_) paths.append(entry.first);
    return paths;
}

QString FileFollower::watchedName(const QString& path) {
    if (QFile::decodeName(QFile::encodeName(path)) == path) return path;
    if (const auto it = linkOf_.find(path); it != linkOf_.end()) return it->second;
#ifdef Q_OS_UNIX
    if (!links_) links_ = std::make_unique<QTemporaryDir>();
    const QString link = links_->filePath(QString::number(linkOf_.size() + 1));
    const std::string target = PathBytes::toSystem(path.toStdU16String());
    if (!links_->isValid() || ::symlink(target.c_str(), QFile::encodeName(link).constData()) != 0)
        return path;
    linkOf_[path] = link;
    pathOf_[link] = path;
    return link;
#else
    return path;
#endif
}

QString FileFollower::pathOf(const QString& watchedName) const {
    const auto it = pathOf_.find(watchedName);
    return it == pathOf_.end() ? watchedName : it->second;
}

bool FileFollower::isFollowing(const QString& path) const {
    return files_.count(keyOf(path)) > 0;
}

// ---- Following and leaving files

void FileFollower::follow(const QString& path) {
    follow(path, signatureOf(path));
}

void FileFollower::follow(const QString& path, const Signature& readAs) {
    const QString key = keyOf(path);
    if (find(key)) {
        markRead(key, readAs);
        return;
    }
    Followed& file = files_[key];
    file.folder = QFileInfo(key).absolutePath();
    file.lastRead = file.lastReported = file.lastSeen = readAs;
    file.quiet = std::make_unique<QTimer>();
    file.quiet->setSingleShot(true);
    connect(file.quiet.get(), &QTimer::timeout, this, [this, key] { check(key); });
    if (!enabled_) return;
    watchFolder(file.folder);
    const Signature now = signatureOf(key);
    rewatch(key, file, now);
    // Changed between the reading and now: report it like any other change.
    if (now != readAs) stir(file);
}

void FileFollower::unfollow(const QString& path) {
    const QString key = keyOf(path);
    const auto it = files_.find(key);
    if (it == files_.end()) return;
    if (const QString name = watchedName(key); watcher_.files().contains(name))
        watcher_.removePath(name);
    const QString folder = it->second.folder;
    // The timer may be the one whose timeout is running now (a consumer that leaves the file
    // when told it changed): it goes when control returns to the event loop.
    QTimer* quiet = it->second.quiet.release();
    quiet->stop();
    quiet->disconnect(this);
    quiet->deleteLater();
    files_.erase(it);
    unwatchFolderIfUnused(folder);
    bool anyPolled = false;
    for (const auto& entry : files_) anyPolled = anyPolled || entry.second.polled;
    if (!anyPolled) pollTimer_.stop();
}

void FileFollower::setEnabled(bool enabled) {
    if (enabled == enabled_) return;
    enabled_ = enabled;
    if (!enabled) {
        dropWatches();
        return;
    }
    for (auto& [path, file] : files_) {
        watchFolder(file.folder);
        file.lastSeen = signatureOf(path);
        rewatch(path, file, file.lastSeen);
        // Whatever changed while following was off is reported after the quiet period.
        stir(file);
    }
}

void FileFollower::dropWatches() {
    pollTimer_.stop();
    const QStringList watched = watcher_.files() + watcher_.directories();
    if (!watched.isEmpty()) watcher_.removePaths(watched);
    for (auto& entry : files_) {
        Followed& file = entry.second;
        file.quiet->stop();
        file.watched = file.polled = file.retryRequested = false;
    }
}

// ---- Readings

void FileFollower::markRead(const QString& path) {
    markRead(path, signatureOf(path));
}

void FileFollower::markRead(const QString& path, const Signature& readAs) {
    Followed* file = find(keyOf(path));
    if (!file) return;
    file->lastRead = readAs;
    file->retryRequested = false;
    file->readRetriesLeft = kReadRetries;
}

void FileFollower::retryLater(const QString& path) {
    const QString key = keyOf(path);
    Followed* file = find(key);
    if (!file || !enabled_ || file->readRetriesLeft <= 0) return;
    --file->readRetriesLeft;
    file->retryRequested = true;
    stir(*file);
}

// ---- Watches

void FileFollower::watchFolder(const QString& folder) {
    const QString name = watchedName(folder);
    if (watcher_.directories().contains(name)) return;
    if (addWatch_(watcher_, name) || !QFileInfo(name).isDir()) return;
    // Without the folder's watch a file saved by renaming would be lost: poll its files.
    for (auto& entry : files_)
        if (entry.second.folder == folder) refuse(entry.second);
}

void FileFollower::unwatchFolderIfUnused(const QString& folder) {
    for (const auto& entry : files_)
        if (entry.second.folder == folder) return;
    const QString name = watchedName(folder);
    if (watcher_.directories().contains(name)) watcher_.removePath(name);
}

void FileFollower::rewatch(const QString& path, Followed& file, const Signature& now) {
    const QString name = watchedName(path);
    const bool inWatcher = watcher_.files().contains(name);
    if (!now.exists) {
        // The watch of a file that is gone follows nothing; the folder's watch tells when a
        // file of that name comes back.
        if (inWatcher) watcher_.removePath(name);
        file.watched = false;
        return;
    }
    if (file.polled) return;
    // A file renamed over the old one is another file: a watch on the old one stays silent.
    if (inWatcher && file.watchedInode == now.inode) {
        file.watched = true;
        return;
    }
    if (inWatcher) watcher_.removePath(name);
    if (addWatch_(watcher_, name)) {
        file.watched = true;
        file.watchedInode = now.inode;
        file.watchRetriesLeft = kWatchRetries;
        return;
    }
    file.watched = false;
    // Adding fails while a new file is not yet in place; when it is there, the system said no.
    if (signatureOf(path).exists) refuse(file);
}

void FileFollower::refuse(Followed& file) {
    file.polled = true;
    file.watched = false;
    if (!pollTimer_.isActive()) pollTimer_.start();
    if (refusalReported_) return;
    refusalReported_ = true;
    emit watchesRefused();
}

// ---- Events

void FileFollower::stir(Followed& file) {
    file.quiet->start(quietMs_);
}

void FileFollower::onFileEvent(const QString& watched) {
    const QString path = pathOf(watched);
    Followed* file = find(path);
    if (!file || !enabled_) return;
    // A save by rename or re-creation drops the watch: add it again at once if the new file
    // is already there, otherwise when the quiet period ends.
    file->lastSeen = signatureOf(path);
    rewatch(path, *file, file->lastSeen);
    stir(*file);
}

void FileFollower::onFolderEvent(const QString& watched) {
    if (!enabled_) return;
    const QString folder = pathOf(watched);
    for (auto& [path, file] : files_) {
        if (file.folder != folder) continue;
        const Signature now = signatureOf(path);
        // Other files of the folder come and go (editors' backups and swap files).
        if (now == file.lastSeen && (file.watched || file.polled)) continue;
        file.lastSeen = now;
        rewatch(path, file, now);
        stir(file);
    }
}

void FileFollower::onPoll() {
    if (!enabled_) return;
    for (auto& [path, file] : files_) {
        if (!file.polled) continue;
        const Signature now = signatureOf(path);
        if (now == file.lastSeen) continue;
        file.lastSeen = now;
        stir(file);
    }
}

void FileFollower::check(const QString& path) {
    Followed* file = find(path);
    if (!file || !enabled_) return;
    const Signature now = signatureOf(path);
    file->lastSeen = now;
    rewatch(path, *file, now);
    if (!now.exists) {
        // Deleted and not yet back: look again a few times (the folder's watch also tells).
        if (file->watchRetriesLeft > 0) {
            --file->watchRetriesLeft;
            stir(*file);
        }
        return;
    }
    const bool retry = std::exchange(file->retryRequested, false);
    if (now == file->lastRead) return;
    if (now == file->lastReported && !retry) return;
    if (now != file->lastReported) file->readRetriesLeft = kReadRetries;
    file->lastReported = now;
    // The consumer may leave the file from here: nothing of it is used after the signal.
    emit fileChanged(path);
}

}  // namespace tavelo
