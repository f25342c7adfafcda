// The window's fast drawing against the plain per-character drawing: the same pixels for the
// largest documents, and no font made or character shaped once a document has been drawn.
#include <QImage>
#include <QTest>
#include <cstring>
#include <memory>

#include "support/GuiTesting.h"
#include "support/LargeDocuments.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;

class FastDrawingTest : public QObject {
    Q_OBJECT

private:
    // The same document in two windows: one drawing fast, one drawing plainly.
    struct Pair {
        testing::WindowFixture fast;
        testing::WindowFixture plain;
    };

    static std::unique_ptr<Pair> openPair(const std::string& bytes, int style) {
        auto pair = std::make_unique<Pair>();
        pair->plain.form->setBaselineDrawing(true);
        for (testing::WindowFixture* w : {&pair->fast, &pair->plain}) {
            w->open(w->writeBytes(QStringLiteral("doc.tl2"), bytes));
            if (style == 1) w->form->mnuStyleType_Click(1);
        }
        return pair;
    }

    static bool sameBytes(const QImage& a, const QImage& b) {
        return a.size() == b.size() && a.format() == b.format() &&
               std::memcmp(a.constBits(), b.constBits(),
                           static_cast<std::size_t>(a.sizeInBytes())) == 0;
    }

    static bool hasInk(const QImage& image) {
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (qGray(image.pixel(x, y)) < 128) return true;
        return false;
    }

    // Moves both windows to each position and compares the views byte for byte (lower tiers
    // of short lines are blank both ways).
    static void compareAt(Pair& pair, const std::vector<Integer>& positions) {
        for (const Integer position : positions) {
            pair.fast.drive(*form).scrollTo(position);
            pair.plain.drive(*form).scrollTo(position);
            QVERIFY2(
                sameBytes(pair.fast.drive(*form).viewImage(), pair.plain.drive(*form).viewImage()),
                qPrintable(QString::number(position)));
        }
    }

    // The beginning, a middle (upper and lower tier in the large style) and the end.
    static std::vector<Integer> positionsOf(const frmMain& form, int style) {
        const Integer last = drive(form).scrollMin();
        const Integer middle = style == 0 ? last / 2 : (last / 2) & ~1;
        std::vector<Integer> positions{middle, last, 0};
        if (style == 1) positions.insert(positions.begin() + 1, middle + 1);
        return positions;
    }

private slots:
    void largestDocuments_drawTheSamePixelsBothWays_data() {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<int>("style");
        const std::string full = testing::large_documents::fullLines();
        const std::string lines = testing::large_documents::thousandShortLines();
        QTest::newRow("full lines, small") << QByteArray::fromStdString(full) << 0;
        QTest::newRow("full lines, large") << QByteArray::fromStdString(full) << 1;
        QTest::newRow("1000 lines, small") << QByteArray::fromStdString(lines) << 0;
        QTest::newRow("1000 lines, large") << QByteArray::fromStdString(lines) << 1;
    }
    void largestDocuments_drawTheSamePixelsBothWays() {
        QFETCH(QByteArray, bytes);
        QFETCH(int, style);
        const auto pair = openPair(bytes.toStdString(), style);
        QVERIFY(pair->fast.messages.messages().empty());
        QCOMPARE(pair->fast.drive(*form).documentCount(), 1L);
        QVERIFY(hasInk(pair->fast.drive(*form).viewImage()));
        compareAt(*pair, positionsOf(*pair->fast.form, style));
    }

    void searchHits_drawTheSamePixelsBothWays() {
        const auto pair = openPair(testing::large_documents::fullLines(), 0);
        for (testing::WindowFixture* w : {&pair->fast, &pair->plain}) {
            drive(*w->form).typeSearch(u"猫");
            w->form->cmdSearch_Click();
        }
        QVERIFY(pair->fast.drive(*form).hitsShown());
        compareAt(*pair, {0, 40, 100});
    }

private:
    // 60 lines of 40 kanji under ruby, no kanji in two lines: each part of the document
    // shows characters that no other part does.
    static std::string distinctLines() {
        std::string bytes;
        for (int g = 0; g < 60; ++g) {
            bytes += "\xB6\xDD\xBC\xDE\r\n";  // ｶﾝｼﾞ
            for (int k = 0; k < 40; ++k) {
                bytes += static_cast<char>(0x89 + g / 3);
                bytes += static_cast<char>(0x80 + (g % 3) * 40 + k);
            }
            bytes += "\r\n";
        }
        return bytes;
    }

private slots:
    // The first redraw prepares the view and one view width on either side; the rest is
    // made as it comes into view, once: going back over the document makes nothing more.
    void afterTheFirstPass_noFontIsMadeAndNothingShaped() {
        for (int style : {0, 1}) {
            testing::WindowFixture w;
            w.open(w.writeBytes(QStringLiteral("distinct.tl2"), distinctLines()));
            QVERIFY(w.messages.messages().empty());
            if (style == 1) w.form->mnuStyleType_Click(1);
            const FontDrawCounters opened = w.form->surface().counters();
            QVERIFY(opened.shapings > 0);
            for (const Integer position : positionsOf(*w.form, style))
                w.drive(*form).scrollTo(position);
            const FontDrawCounters first = w.form->surface().counters();
            QVERIFY(first.shapings > opened.shapings);  // not everything was made at once
            for (const Integer position : positionsOf(*w.form, style)) {
                w.drive(*form).scrollTo(position);
                QCOMPARE(w.form->surface().counters().fontsCreated, first.fontsCreated);
                QCOMPARE(w.form->surface().counters().shapings, first.shapings);
                QCOMPARE(w.form->surface().counters().glyphsRendered, first.glyphsRendered);
            }
        }
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::FastDrawingTest)
#include "FastDrawingTest.moc"
