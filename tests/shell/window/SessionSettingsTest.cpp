#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "common/PathBytes.h"
#include "shell/window/SessionSettings.h"

using namespace tavelo;
using Place = SessionSettings::Place;
using Document = SessionSettings::Document;
using LoadResult = SessionSettings::LoadResult;

Q_DECLARE_METATYPE(LoadResult)
Q_DECLARE_METATYPE(Place)

namespace QTest {
template <>
char* toString(const Place& place) {
    return qstrdup(QByteArray::number(place.style) + '/' + QByteArray::number(place.firstLine) +
                   '/' + QByteArray::number(place.tier));
}
}  // namespace QTest

namespace {

void writeBytes(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

QByteArray readBytes(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

}  // namespace

class SessionSettingsTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir_;
    QStringList reports_;

    SessionSettings::Reporter reporter() {
        return [this](const QString& line) { reports_.append(line); };
    }
    QString folder(const QString& name) const { return dir_.filePath(name); }

    // Every value changed from its default, with text that the INI format must escape.
    static void fill(SessionSettings& settings) {
        settings.setWindowGeometry(QByteArray("\x01\x00\n\xff=;,\"", 9));
        settings.setWindowState(QByteArray(300, '\x7f'));
        settings.setZoom(150);
        settings.setStyle(1);
        settings.setHitColor(0x00336699);
        settings.setSearchWords({QStringLiteral("吾輩, 猫"), QString(), QStringLiteral("\"x\";y")});
        // A Shift-JIS name, held as bytes: the file's UTF-8 text alone would lose them.
        const QString bytesName =
            QString::fromStdU16String(PathBytes::fromSystem("/c/\x8a\xbf\x8e\x9a.tl2"));
        settings.touchRecent(bytesName, Place{1, 3, 1});
        settings.touchRecent(QStringLiteral("/b/二.tl2"), Place{0, 7, 0});
        settings.touchRecent(QStringLiteral("/a/one, two.tl2"), Place{1, 12, 1});
        settings.setOpenDocuments({{QStringLiteral("/a/one, two.tl2"), Place{1, 12, 1}},
                                   {QStringLiteral("/b/二.tl2"), Place{0, 7, 0}},
                                   {bytesName, Place{1, 3, 1}}},
                                  1);
        Place prose{0, 1, 0};
        prose.paragraph = 40;
        prose.offset = 7;
        settings.setBookmarks(bytesName, {{Place{1, 3, 1}, QStringLiteral("径の糸"), 1700000000}});
        settings.setBookmarks(QStringLiteral("/d/novel.txt"),
                              {{prose, QStringLiteral("吾輩は猫, である"), 1700000001},
                               {Place{0, 1, 0}, QStringLiteral("始め"), 1700000002}});
        settings.setReaderOptions({false, 2, false});
    }

    static void verifyDefaults(const SessionSettings& settings) {
        QVERIFY(settings.windowGeometry().isEmpty());
        QVERIFY(settings.windowState().isEmpty());
        QCOMPARE(settings.zoom(), 100);
        QCOMPARE(settings.style(), 0);
        QCOMPARE(settings.hitColor(), 0xFF0000);
        QVERIFY(settings.searchWords().isEmpty());
        QVERIFY(settings.openDocuments().empty());
        QCOMPARE(settings.currentDocument(), -1);
        QVERIFY(settings.recentFiles().empty());
        QVERIFY(settings.bookmarksOf(QStringLiteral("/d/novel.txt")).empty());
        QVERIFY(settings.readerOptions() == SessionSettings::ReaderOptions());
    }

private slots:
    void init() { reports_.clear(); }

    // ---- Round trip and writing

    void everyValue_survivesWriteAndLoad() {
        {
            SessionSettings settings(folder(QStringLiteral("trip")), reporter());
            QCOMPARE(settings.load(), LoadResult::Missing);
            fill(settings);
            QVERIFY(settings.flush());
        }
        SessionSettings settings(folder(QStringLiteral("trip")), reporter());
        QCOMPARE(settings.load(), LoadResult::Loaded);
        SessionSettings expected(folder(QStringLiteral("unused")), reporter());
        fill(expected);
        QCOMPARE(settings.windowGeometry(), expected.windowGeometry());
        QCOMPARE(settings.windowState(), expected.windowState());
        QCOMPARE(settings.zoom(), 150);
        QCOMPARE(settings.style(), 1);
        QCOMPARE(settings.hitColor(), 0x00336699);
        QCOMPARE(settings.searchWords(), expected.searchWords());
        QVERIFY(settings.openDocuments() == expected.openDocuments());
        QCOMPARE(settings.currentDocument(), 1);
        QVERIFY(settings.recentFiles() == expected.recentFiles());
        for (const QString& path : {expected.openDocuments()[2].path, QStringLiteral("/d/novel.txt")}) {
            QVERIFY(!expected.bookmarksOf(path).empty());
            QVERIFY(settings.bookmarksOf(path) == expected.bookmarksOf(path));
        }
        QVERIFY(settings.readerOptions() == expected.readerOptions());
        QVERIFY(reports_.isEmpty());
        // Colour written for people to read; no temporary file left beside it.
        QVERIFY(readBytes(settings.filePath()).contains("hitColor=#996633"));
        QCOMPARE(QDir(folder(QStringLiteral("trip"))).entryList(QDir::Files | QDir::Hidden),
                 QStringList{QStringLiteral("tavelo.ini")});
    }

    void changes_areMergedIntoOneDelayedWrite() {
        SessionSettings settings(folder(QStringLiteral("debounce")), reporter());
        settings.setDebounceInterval(50);
        settings.load();
        for (int zoom = 110; zoom < 200; zoom += 10) settings.setZoom(zoom);
        settings.setStyle(1);
        QCOMPARE(settings.writeCount(), 0);
        QVERIFY(settings.hasPendingWrite());
        QTRY_COMPARE_WITH_TIMEOUT(settings.writeCount(), 1, 2000);
        QVERIFY(!settings.hasPendingWrite());
        // A value set to what it already is asks for no write.
        settings.setZoom(190);
        QVERIFY(!settings.hasPendingWrite());
        QVERIFY(settings.flush());
        QCOMPARE(settings.writeCount(), 1);
        SessionSettings reread(folder(QStringLiteral("debounce")), reporter());
        QCOMPARE(reread.load(), LoadResult::Loaded);
        QCOMPARE(reread.zoom(), 190);
    }

    // ---- Bad files

    void badFile_givesDefaultsAndOneLine_data() {
        QTest::addColumn<QByteArray>("edit");  // what is done to a good file
        QTest::addColumn<LoadResult>("result");
        QTest::newRow("garbage") << QByteArray("garbage") << LoadResult::Corrupt;
        QTest::newRow("empty") << QByteArray("empty") << LoadResult::Corrupt;
        QTest::newRow("truncated") << QByteArray("truncated") << LoadResult::Corrupt;
        QTest::newRow("value changed") << QByteArray("changed") << LoadResult::Corrupt;
        QTest::newRow("no version") << QByteArray("noversion") << LoadResult::Corrupt;
        QTest::newRow("newer version") << QByteArray("newer") << LoadResult::NewerVersion;
        QTest::newRow("a folder in its place") << QByteArray("folder") << LoadResult::Unreadable;
    }
    void badFile_givesDefaultsAndOneLine() {
        QFETCH(QByteArray, edit);
        QFETCH(LoadResult, result);
        const QString where = folder(QStringLiteral("bad-") + QString::fromLatin1(edit));
        QString path;
        {
            SessionSettings settings(where, reporter());
            fill(settings);
            QVERIFY(settings.flush());
            path = settings.filePath();
        }
        const QByteArray good = readBytes(path);
        QByteArray bad = good;
        if (edit == "garbage") bad = QByteArray("\x00\xff[[[\n=\x01\x02", 10).repeated(50);
        if (edit == "empty") bad.clear();
        if (edit == "truncated") bad.truncate(good.size() * 2 / 3);
        if (edit == "changed") bad.replace("zoom=150", "zoom=160");
        if (edit == "noversion") bad.replace("version=1", "");
        if (edit == "newer") bad.replace("version=1", "version=2");
        QVERIFY(bad != good || edit == "folder");
        if (edit == "folder") {
            QVERIFY(QFile::remove(path));
            QVERIFY(QDir().mkpath(path));
        } else {
            writeBytes(path, bad);
        }

        SessionSettings settings(where, reporter());
        QCOMPARE(settings.load(), result);
        verifyDefaults(settings);
        QCOMPARE(reports_.size(), 1);
        QVERIFY(reports_[0].contains(path));
        QVERIFY(!reports_[0].contains(u'\n'));

        // The program goes on: changes live in memory, and only a damaged file is replaced.
        settings.setZoom(120);
        settings.flush();
        QCOMPARE(settings.zoom(), 120);
        QCOMPARE(reports_.size(), 1);
        if (edit == "newer") QCOMPARE(readBytes(path), bad);
        if (result == LoadResult::Corrupt) {
            SessionSettings reread(where, reporter());
            QCOMPARE(reread.load(), LoadResult::Loaded);
            QCOMPARE(reread.zoom(), 120);
        }
    }

    void unwritableFolder_keepsStateAndReportsOnce() {
        // A file where the folder should be cannot be written through, whoever runs the test.
        writeBytes(folder(QStringLiteral("blocker")), "x");
        SessionSettings settings(folder(QStringLiteral("blocker/tavelo")), reporter());
        QCOMPARE(settings.load(), LoadResult::Missing);
        QVERIFY(reports_.isEmpty());
        settings.setZoom(130);
        QVERIFY(!settings.flush());
        settings.touchRecent(QStringLiteral("/x.tl2"), Place{1, 3, 1});
        QVERIFY(!settings.flush());
        QCOMPARE(reports_.size(), 1);
        QCOMPARE(settings.zoom(), 130);
        QCOMPARE(settings.recentFiles().size(), std::size_t{1});
    }

    // ---- Recent files

    void recentFiles_newestFirstAtMostTwenty() {
        SessionSettings settings(folder(QStringLiteral("recent")), reporter());
        for (int i = 1; i <= 25; ++i)
            settings.touchRecent(QStringLiteral("/docs/%1.tl2").arg(i), Place{0, i, 0});
        const auto& recent = settings.recentFiles();
        QCOMPARE(recent.size(), std::size_t{20});
        QCOMPARE(recent.front().path, QStringLiteral("/docs/25.tl2"));
        QCOMPARE(recent.back().path, QStringLiteral("/docs/6.tl2"));
        QVERIFY(!settings.knows(QStringLiteral("/docs/5.tl2")));

        // Touching a known file moves it to the front and keeps its place.
        settings.touchRecent(QStringLiteral("/docs/../docs/10.tl2"));
        QCOMPARE(recent.front(), (Document{QStringLiteral("/docs/10.tl2"), Place{0, 10, 0}}));
        QCOMPARE(recent.size(), std::size_t{20});
        QCOMPARE(recent[1].path, QStringLiteral("/docs/25.tl2"));

        settings.rememberPlace(QStringLiteral("/docs/10.tl2"), Place{1, 4, 1});
        QCOMPARE(settings.placeOf(QStringLiteral("/docs/10.tl2")), (Place{1, 4, 1}));
        QCOMPARE(recent.front().path, QStringLiteral("/docs/10.tl2"));

        settings.removeRecent(QStringLiteral("/docs/25.tl2"));
        QCOMPARE(recent.size(), std::size_t{19});
        QVERIFY(!settings.knows(QStringLiteral("/docs/25.tl2")));
        // An unknown file starts at the top in the current style.
        settings.setStyle(1);
        QCOMPARE(settings.placeOf(QStringLiteral("/docs/25.tl2")), (Place{1, 1, 0}));

        settings.forgetRecent();
        QVERIFY(settings.recentFiles().empty());
    }

    void openDocuments_keepOrderCurrentAndPlaces() {
        SessionSettings settings(folder(QStringLiteral("open")), reporter());
        const std::vector<Document> open{{QStringLiteral("/z.tl2"), Place{0, 3, 0}},
                                         {QStringLiteral("/a.tl2"), Place{1, 9, 1}}};
        settings.setOpenDocuments(open, 5);
        QCOMPARE(settings.currentDocument(), -1);
        settings.setOpenDocuments(open, 0);
        QCOMPARE(settings.currentDocument(), 0);
        QCOMPARE(settings.openDocuments()[1].path, QStringLiteral("/a.tl2"));
        // An open document's place is what placeOf gives, before a recent entry's.
        settings.touchRecent(QStringLiteral("/a.tl2"), Place{0, 1, 0});
        settings.rememberPlace(QStringLiteral("/a.tl2"), Place{1, 20, 0});
        QCOMPARE(settings.openDocuments()[1].place, (Place{1, 20, 0}));
        QCOMPARE(settings.recentFiles()[0].place, (Place{1, 20, 0}));
    }

    // ---- Places

    void place_isClampedToTheDocument_data() {
        QTest::addColumn<Place>("place");
        QTest::addColumn<int>("lines");
        QTest::addColumn<Place>("expected");
        QTest::newRow("small inside") << Place{0, 5, 0} << 10 << Place{0, 5, 0};
        QTest::newRow("small last line") << Place{0, 10, 0} << 10 << Place{0, 10, 0};
        QTest::newRow("small past end") << Place{0, 11, 0} << 10 << Place{0, 10, 0};
        QTest::newRow("small far past end") << Place{0, 2000000000, 0} << 10 << Place{0, 10, 0};
        QTest::newRow("small tier dropped") << Place{0, 3, 1} << 10 << Place{0, 3, 0};
        QTest::newRow("line 0") << Place{0, 0, 0} << 10 << Place{0, 1, 0};
        QTest::newRow("large lower tier") << Place{1, 4, 1} << 10 << Place{1, 4, 1};
        QTest::newRow("large last tier") << Place{1, 10, 1} << 10 << Place{1, 10, 1};
        QTest::newRow("large past end") << Place{1, 12, 0} << 10 << Place{1, 10, 1};
        QTest::newRow("bad tier") << Place{1, 4, 7} << 10 << Place{1, 4, 0};
        QTest::newRow("bad style") << Place{3, 4, 1} << 10 << Place{0, 4, 0};
        QTest::newRow("empty document") << Place{1, 5, 1} << 0 << Place{1, 1, 1};
    }
    void place_isClampedToTheDocument() {
        QFETCH(Place, place);
        QFETCH(int, lines);
        QFETCH(Place, expected);
        QCOMPARE(place.clampedTo(lines), expected);
        // A place inside the document is its own scroll position and back.
        QCOMPARE(Place::fromPosition(expected.style, expected.position()), expected);
    }
};

QTEST_GUILESS_MAIN(SessionSettingsTest)
#include "SessionSettingsTest.moc"
