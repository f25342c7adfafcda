// The window driven through a few hundred fixed pseudo-random sequences of what users do, and
// through the sequences that once broke it, its invariants checked after every step
// (fuzz/WindowSequence.h).
#include <QElapsedTimer>
#include <QTest>
#include <cstdint>
#include <vector>

#include "WindowSequence.h"
#include "support/GuiTesting.h"

namespace tavelo {

class WindowSequenceTest : public QObject {
    Q_OBJECT

private slots:
    // 120 seeds in rows of ten: each row has its own time limit, which the sanitizer build
    // needs on a loaded machine.
    void randomSequences_keepEveryInvariant_data() {
        QTest::addColumn<std::uint32_t>("first");
        for (std::uint32_t first = 1; first <= 120; first += 10)
            QTest::addRow("seeds %u to %u", first, first + 9) << first;
    }
    void randomSequences_keepEveryInvariant() {
        QFETCH(std::uint32_t, first);
        WindowSequence sequence{QStringLiteral(TAVELO_SOURCE_DIR)};
        for (std::uint32_t seed = first; seed < first + 10; ++seed) {
            const auto problem = sequence.run(WindowSequence::randomSequence(seed, 25));
            QVERIFY2(!problem, qPrintable(QStringLiteral("seed %1: %2")
                                              .arg(seed)
                                              .arg(QString::fromStdString(problem.value_or(std::string())))));
        }
        // Most steps act: the sequences reach the documents, not only disabled controls.
        QVERIFY2(sequence.stepsActed() * 4 > sequence.stepsRun() * 3,
                 qPrintable(QStringLiteral("%1 of %2 steps acted")
                                .arg(sequence.stepsActed())
                                .arg(sequence.stepsRun())));
    }

    // The sequences that once broke the window, as (what, argument) pairs.
    void regressions_data() {
        QTest::addColumn<std::vector<std::uint8_t>>("steps");
        // The large style's lower tier of the first line, then the file emptied on disk: the
        // reload put the view at position 1 of a document whose only position is 0, which
        // stopped the redraw and left the old line number.
        QTest::newRow("emptied file in the large style")
            << std::vector<std::uint8_t>{0, 1, 5, 1, 6, 1, 17, 51};
        // A file with a Shift-JIS name open at the quit: its name went into the settings file
        // as UTF-8 text, which cannot hold its bytes, and the next start found the file
        // damaged and lost the whole session without a word.
        QTest::newRow("quit with a Shift-JIS file name open")
            << std::vector<std::uint8_t>{0, 0, 0, 7, 6, 3, 21, 0};
        // One file open twice, read at two places: both came back at the first one's.
        QTest::newRow("quit with one file open twice")
            << std::vector<std::uint8_t>{0, 0, 0, 0, 6, 16, 4, 0, 6, 5, 4, 1, 21, 0};
    }
    void regressions() {
        QFETCH(std::vector<std::uint8_t>, steps);
        WindowSequence sequence{QStringLiteral(TAVELO_SOURCE_DIR)};
        const auto problem = sequence.run(steps);
        QVERIFY2(!problem, problem.value_or(std::string()).c_str());
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::WindowSequenceTest)
#include "WindowSequenceTest.moc"
