#include <QBitmap>
#include <QDir>
#include <QFile>
#include <QImageReader>
#include <QTemporaryDir>
#include <QtTest>

#include "support/GuiTesting.h"
#include "shell/window/PointerImages.h"
#include "shell/window/ResourceLocator.h"

using namespace tavelo;
using Zone = PointerImages::Zone;

namespace {

QString committedPointer(Zone zone) {
    return QDir(QStringLiteral(TAVELO_SOURCE_DIR "/cursors"))
        .filePath(PointerImages::fileName(zone));
}

QImage readIcon(const QString& path) {
    QImageReader reader(path, "ico");
    reader.setDecideFormatFromContent(false);
    return reader.read().convertToFormat(QImage::Format_ARGB32);
}

bool isDark(QRgb pixel) {
    return qAlpha(pixel) > 200 && qGray(pixel) < 64;
}

// The leftmost and rightmost columns that hold black ink.
std::pair<int, int> inkColumns(const QImage& image) {
    int first = image.width();
    int last = -1;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (isDark(image.pixel(x, y))) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

// How many visible pixels have black ink (the arrow) rather than the white rim.
int darkPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            if (isDark(image.pixel(x, y))) ++count;
        }
    return count;
}

}  // namespace

class PointerImagesTest : public QObject {
    Q_OBJECT

private slots:
    // --- the committed images ---
    void committedImages_are32By32IconsWithTransparency() {
        for (const Zone zone : PointerImages::kZones) {
            QImageReader reader(committedPointer(zone));
            QCOMPARE(reader.format(), QByteArray("ico"));
            const QImage image = readIcon(committedPointer(zone));
            QVERIFY2(!image.isNull(), qPrintable(committedPointer(zone)));
            QCOMPARE(image.size(), QSize(32, 32));
            QVERIFY(image.hasAlphaChannel());
            QCOMPARE(qAlpha(image.pixel(0, 0)), 0);
            QVERIFY(darkPixels(image) > 60);
        }
    }

    void rightPointers_mirrorTheLeftOnes() {
        const std::pair<Zone, Zone> pairs[] = {{Zone::FarLeft, Zone::FarRight},
                                               {Zone::Left, Zone::Right}};
        for (const auto& [left, right] : pairs) {
            QCOMPARE(readIcon(committedPointer(left)).mirrored(true, false),
                     readIcon(committedPointer(right)));
        }
    }

    void bigStep_hasTwoArrowHeadsAndStepHasAShaft() {
        // Along the middle row a single arrow is solid from tip to shaft end; the double
        // arrow's two heads meet at a narrow waist, so its middle row is solid too, but its
        // rows near the top show two separate pieces.
        auto piecesInRow = [](const QImage& image, int y) {
            int pieces = 0;
            bool inside = false;
            for (int x = 0; x < image.width(); ++x) {
                const bool dark = isDark(image.pixel(x, y));
                if (dark && !inside) ++pieces;
                inside = dark;
            }
            return pieces;
        };
        QCOMPARE(piecesInRow(readIcon(committedPointer(Zone::FarLeft)), 10), 2);
        QCOMPARE(piecesInRow(readIcon(committedPointer(Zone::Left)), 10), 1);
        QCOMPARE(piecesInRow(readIcon(committedPointer(Zone::Left)), 16), 1);
    }

    void leftPointers_pointLeft() {
        for (const Zone zone : {Zone::FarLeft, Zone::Left}) {
            const QImage image = readIcon(committedPointer(zone));
            const auto [first, last] = inkColumns(image);
            // The tip: the ink near the leftmost column lies halfway down.
            int top = image.height();
            int bottom = -1;
            for (int y = 0; y < image.height(); ++y)
                if (isDark(image.pixel(first + 1, y))) {
                    top = std::min(top, y);
                    bottom = std::max(bottom, y);
                }
            const int tipRow = (top + bottom) / 2;
            QVERIFY(first < 8);
            QVERIFY(last > 24);
            QVERIFY(std::abs(tipRow - 16) <= 1);
        }
    }

    // --- loading ---
    void buildTree_givesFourImagePointersWithTheHotSpotInTheCentre() {
        const PointerImages pointers{ResourceLocator(QStringLiteral(TAVELO_PROGRAM_DIR))};
        for (const Zone zone : PointerImages::kZones) {
            QVERIFY(pointers.isFromFile(zone));
            const QCursor& cursor = pointers.cursor(zone);
            QCOMPARE(cursor.shape(), Qt::BitmapCursor);
            QCOMPARE(cursor.pixmap().size(), QSize(32, 32));
            QCOMPARE(cursor.hotSpot(), QPoint(16, 16));
        }
    }

    void missingFolder_givesTheStandardArrowEverywhere() {
        QTemporaryDir parent;
        const PointerImages pointers{ResourceLocator(parent.filePath(QStringLiteral("gone")))};
        for (const Zone zone : PointerImages::kZones) {
            QVERIFY(!pointers.isFromFile(zone));
            QCOMPARE(pointers.cursor(zone).shape(), Qt::ArrowCursor);
        }
    }

    void corruptOrEmptyFile_givesTheArrowForThatZoneOnly() {
        QTemporaryDir folder;
        for (const Zone zone : PointerImages::kZones) {
            QVERIFY(QFile::copy(committedPointer(zone),
                                folder.filePath(PointerImages::fileName(zone))));
        }
        // A damaged header, then a file cut to nothing.
        QFile damaged(folder.filePath(PointerImages::fileName(Zone::Left)));
        QVERIFY(damaged.open(QIODevice::WriteOnly | QIODevice::Truncate));
        damaged.write("\x00\x00\x01\x00\x01\x00garbage that is no icon", 29);
        damaged.close();
        QFile empty(folder.filePath(PointerImages::fileName(Zone::FarRight)));
        QVERIFY(empty.open(QIODevice::WriteOnly | QIODevice::Truncate));
        empty.close();

        const PointerImages pointers{ResourceLocator(folder.path())};
        QVERIFY(pointers.isFromFile(Zone::FarLeft));
        QVERIFY(!pointers.isFromFile(Zone::Left));
        QVERIFY(pointers.isFromFile(Zone::Right));
        QVERIFY(!pointers.isFromFile(Zone::FarRight));
        QCOMPARE(pointers.cursor(Zone::Left).shape(), Qt::ArrowCursor);
        QCOMPARE(pointers.cursor(Zone::FarRight).shape(), Qt::ArrowCursor);
        QCOMPARE(pointers.cursor(Zone::Right).shape(), Qt::BitmapCursor);
    }

    void fileNames_areTheFourZoneFiles() {
        QCOMPARE(PointerImages::fileName(Zone::FarLeft), QStringLiteral("arrow_normal_left_p.ico"));
        QCOMPARE(PointerImages::fileName(Zone::Left), QStringLiteral("arrow_normal_left_b.ico"));
        QCOMPARE(PointerImages::fileName(Zone::Right), QStringLiteral("arrow_normal_right_b.ico"));
        QCOMPARE(PointerImages::fileName(Zone::FarRight),
                 QStringLiteral("arrow_normal_right_p.ico"));
    }
};

TAVELO_GUI_TEST_MAIN(PointerImagesTest)
#include "PointerImagesTest.moc"
