#include <sys/stat.h>

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "common/PathBytes.h"
#include "shell/window/FileFollower.h"

using namespace tavelo;

namespace {

constexpr int kQuietMs = 100;
constexpr int kWaitMs = 3000;

// An editor that writes the file in place: truncate, then write.
void writeInPlace(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// An editor that writes a new file and renames it over the old one.
void saveByRename(const QString& path, const QByteArray& bytes) {
    writeInPlace(path + QStringLiteral(".new"), bytes);
    QCOMPARE(std::rename(QFile::encodeName(path + QStringLiteral(".new")).constData(),
                         QFile::encodeName(path).constData()),
             0);
}

}  // namespace

class FileFollowerTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    int serial_ = 0;

    // A fresh file in a fresh folder: tests do not see each other's events.
    QString newFile(const QString& name = QStringLiteral("doc.tl2")) {
        const QString folder = dir_.filePath(QString::number(++serial_));
        QDir().mkpath(folder);
        const QString path = QDir(folder).filePath(name);
        writeInPlace(path, "first\r\n");
        return path;
    }

    static void makeQuick(FileFollower& follower) {
        follower.setQuietPeriod(kQuietMs);
        follower.setPollInterval(100);
    }

    // No further signal within a few quiet periods.
    static void verifyNoMore(QSignalSpy& spy, int expected) {
        QTest::qWait(kQuietMs * 5 / 2);
        QCOMPARE(spy.size(), expected);
    }

private slots:
    // ---- The two ways editors save

    void inPlaceWrite_isReportedOnceAfterTheQuietPeriod() {
        FileFollower follower;
        makeQuick(follower);
        const QString path = newFile();
        follower.follow(path);
        QSignalSpy changed(&follower, &FileFollower::fileChanged);
        writeInPlace(path, "second line\r\n");
        QVERIFY(changed.wait(kWaitMs));
        QCOMPARE(changed.at(0).at(0).toString(), path);
        verifyNoMore(changed, 1);
        follower.markRead(path);
        writeInPlace(path, "third, longer line\r\n");
        QVERIFY(changed.wait(kWaitMs));
        verifyNoMore(changed, 2);
        QVERIFY(!follower.isPolling());
    }

    void saveByRename_keepsTheWatchOnTheNewFile() {
        FileFollower follower;
        makeQuick(follower);
        const QString path = newFile();
        follower.follow(path);
        QSignalSpy changed(&follower, &FileFollower::fileChanged);
        for (int save = 1; save <= 3; ++save) {
            saveByRename(path, QByteArray("saved ").repeated(save));
            QVERIFY2(changed.wait(kWaitMs), qPrintable(QStringLiteral("save %1").arg(save)));
            QCOMPARE(changed.size(), save);
            follower.markRead(path);
        }
        QVERIFY(follower.watcher().files().contains(path));
        verifyNoMore(changed, 3);
    }

    // A Shift-JIS name in a Shift-JIS folder, kept as bytes: watched like any other, not polled.
    void nameKeptAsBytes_isWatched_throughBothWaysOfSaving() {
        const std::string folder = dir_.path().toStdString() + "/\x8C\x61";  // 径
        const std::string bytes = folder + "/\x8E\x85.tl2";                  // 糸.tl2
        QCOMPARE(::mkdir(folder.c_str(), 0700), 0);
        auto write = [](const std::string& at, const char* text) {
            std::ofstream(at, std::ios::binary | std::ios::trunc) << text;
        };
        write(bytes, "first\r\n");
        const QString path = QString::fromStdU16String(PathBytes::fromSystem(bytes));
        FileFollower follower;
        makeQuick(follower);
        QSignalSpy refused(&follower, &FileFollower::watchesRefused);
        follower.follow(path);
        QVERIFY(!follower.isPolling());
        QSignalSpy changed(&follower, &FileFollower::fileChanged);
        write(bytes, "second line\r\n");
        QVERIFY(changed.wait(kWaitMs));
        QCOMPARE(changed.at(0).at(0).toString(), path);
        follower.markRead(path);
        write(bytes + ".new", "saved by rename\r\n");
        QCOMPARE(std::rename((bytes + ".new").c_str(), bytes.c_str()), 0);
        QVERIFY(changed.wait(kWaitMs));
        QCOMPARE(changed.size(), 2);
        QCOMPARE(refused.size(), 0);
        follower.unfollow(path);
        std::filesystem::remove_all(folder);  // QTemporaryDir removes by text names only
    }

    void saveByRename_whileTheOldFileIsStillOpen_watchesTheNewFile() {
        FileFollower follower;
        makeQuick(follower);
        const QString path = newFile();
        follower.follow(path);
        QSignalSpy changed(&follower, &FileFollower::fileChanged);
        // Held open elsewhere, the old file lives on after the rename and its watch stays
        // in place, silent: the new file must be watched instead.
        QFile old(path);
        QVERIFY(old.open(QIODevice::ReadOnly));
        saveByRename(path, "renamed over\r\n");
        QVERIFY(changed.wait(kWaitMs));
        follower.markRead(path);
        writeInPlace(path, "then written in place\r\n");
        QVERIFY(changed.wait(kWaitMs));
        verifyNoMore(changed, 2);
    }

    void rapidSaves_areMergedIntoOneReport() {
        FileFollower follower;
        makeQuick(follower);
        // Long enough that the short pauses between saves never end it, even on a busy machine.
        follower.setQuietPeriod(300);
        const QString path = newFile();
        follower.follow(path);
        QSignalSpy changed(&follower, &FileFollower::fileChanged);
        for (int save = 1; save <= 8; ++save) {
            if (save % 2 == 0)
                saveByRename(path, QByteArray(save, 'x'));
            else
                writeInPlace(path, QByteArray(save, 'y'));
            QTest::qWait(20);
        }
        QVERIFY(changed.wait(kWaitMs));
        verifyNoMore(changed, 1);
    }

    // Saves that go on for several quiet periods, each one within the quiet period of the last:
    // every change starts the quiet period anew, so the one report comes after the last save.
    void savesLongerThanTheQuietPeriod_areReportedOnceAfterTheLast() {
        constexpr int kQuiet = 200;
        constexpr int kGapMs = 20;
        FileFollower follower;
        makeQuick(follower);
        follower.setQuietPeriod(kQuiet);
        const QString path = newFile();
        follower.follow(path);
        QElapsedTimer clock;
        clock.start();
        std::vector<qint64> reportedAt;
        connect(&follower, &FileFollower::fileChanged, this,
                [&] { reportedAt.push_back(clock.elapsed()); });
        qint64 lastSave = 0;
        qint64 longestGap = 0;
        for (int save = 1; clock.elapsed() < 4 * kQuiet; ++save) {
            writeInPlace(path, QByteArray(save, 'x'));
            longestGap = std::max(longestGap, clock.elapsed() - lastSave);
            lastSave = clock.elapsed();
            QTest::qWait(kGapMs);
        }
        if (longestGap >= kQuiet / 2)
            QSKIP("the machine stalled between saves for about a quiet period");
        QTRY_VERIFY_WITH_TIMEOUT(!reportedAt.empty(), kWaitMs);
        QTest::qWait(kQuiet * 2);
        QCOMPARE(reportedAt.size(), std::size_t{1});
        QVERIFY2(reportedAt.front() >= lastSave + kQuiet / 2,
                 qPrintable(QStringLiteral("reported at %1 ms, last save at %2 ms")
                                .arg(reportedAt.front())
                                .arg(lastSave)));
    }

    void deleteAndRecreate_isReportedWhenTheFileIsBack() {
        FileFollower follower;
        makeQuick(follower);
        const QString path = newFile();
        follower.follow(path);
        QSignalSpy changed(&follower, &FileFollower::fileChanged);
        QVERIFY(QFile::remove(path));
        // Longer than the retries of the lost watch: only the folder's watch can tell now.
        QTest::qWait((FileFollower::kWatchRetries + 2) * kQuietMs);
        QCOMPARE(changed.size(), 0);
        writeInPlace(path, "back again\r\n");
        QVERIFY(changed.wait(kWaitMs));
        follower.markRead(path);
        QTRY_VERIFY_WITH_TIMEOUT(follower.watcher().files().contains(path), kWaitMs);
        writeInPlace(path, "and written in place\r\n");
        QVERIFY(changed.wait(kWaitMs));
        verifyNoMore(changed, 2);
    }

    // ---- Several files, unchanged files

    void twoFiles_shareOneWatcherAndAreToldApart() {
        FileFollower follower;
        makeQuick(follower);
        const QString first = newFile(QStringLiteral("a.tl2"));
        const QString second = QFileInfo(first).absolutePath() + QStringLiteral("/b.tl2");
        writeInPlace(second, "b\r\n");
        const QString elsewhere = newFile(QStringLiteral("c.tl2"));
        for (const QString& path : {first, second, elsewhere}) follower.follow(path);
        QCOMPARE(follower.watcher().files().size(), 3);
        QCOMPARE(follower.watcher().directories().size(), 2);

        QSignalSpy changed(&follower, &FileFollower::fileChanged);
        saveByRename(second, "b changed\r\n");
        QVERIFY(changed.wait(kWaitMs));
        verifyNoMore(changed, 1);
        QCOMPARE(changed.at(0).at(0).toString(), second);

        // Other files of the folder coming and going, and a file written back as it was read,
        // are not changes.
        writeInPlace(QFileInfo(first).absolutePath() + QStringLiteral("/.a.tl2.swp"), "swap");
        verifyNoMore(changed, 1);

        follower.unfollow(second);
        QCOMPARE(follower.watcher().files().size(), 2);
        follower.unfollow(elsewhere);
        QCOMPARE(follower.watcher().directories().size(), 1);
        QCOMPARE(follower.followedFiles(), QStringList{first});
    }

    // ---- Readings that fail, following off, no watches

    void failedReading_isRetriedAFewTimes() {
        FileFollower follower;
        makeQuick(follower);
        const QString path = newFile();
        follower.follow(path);
        QSignalSpy changed(&follower, &FileFollower::fileChanged);
        writeInPlace(path, "half wri");
        QVERIFY(changed.wait(kWaitMs));
        // The consumer could not read it: each retry reports the same file again, up to the
        // limit; then nothing until the file changes.
        for (int retry = 1; retry <= FileFollower::kReadRetries; ++retry) {
            follower.retryLater(path);
            QVERIFY(changed.wait(kWaitMs));
        }
        follower.retryLater(path);
        verifyNoMore(changed, FileFollower::kReadRetries + 1);
        writeInPlace(path, "half written, now whole\r\n");
        QVERIFY(changed.wait(kWaitMs));
        follower.markRead(path);
        follower.retryLater(path);
        verifyNoMore(changed, FileFollower::kReadRetries + 2);
    }

    void followingOff_holdsNoWatchAndReportsChangesWhenOnAgain() {
        FileFollower follower;
        makeQuick(follower);
        const QString path = newFile();
        follower.follow(path);
        QSignalSpy changed(&follower, &FileFollower::fileChanged);
        follower.setEnabled(false);
        QVERIFY(follower.watcher().files().isEmpty());
        QVERIFY(follower.watcher().directories().isEmpty());
        writeInPlace(path, "changed while off\r\n");
        verifyNoMore(changed, 0);
        follower.setEnabled(true);
        QVERIFY(changed.wait(kWaitMs));
        verifyNoMore(changed, 1);
    }

    void refusedWatches_fallBackToPollingAndSaySoOnce() {
        FileFollower follower;
        makeQuick(follower);
        follower.setWatchAdder([](QFileSystemWatcher&, const QString&) { return false; });
        QSignalSpy refused(&follower, &FileFollower::watchesRefused);
        QSignalSpy changed(&follower, &FileFollower::fileChanged);
        const QString first = newFile();
        const QString second = newFile();
        follower.follow(first);
        follower.follow(second);
        QCOMPARE(refused.size(), 1);
        QVERIFY(follower.isPolling());
        saveByRename(first, "polled\r\n");
        QVERIFY(changed.wait(kWaitMs));
        follower.markRead(first);
        writeInPlace(second, "polled too\r\n");
        QVERIFY(changed.wait(kWaitMs));
        verifyNoMore(changed, 2);
        QCOMPARE(changed.at(1).at(0).toString(), second);
        QCOMPARE(refused.size(), 1);
        follower.unfollow(first);
        follower.unfollow(second);
        QVERIFY(!follower.isPolling());
    }
};

QTEST_GUILESS_MAIN(FileFollowerTest)
#include "FileFollowerTest.moc"
