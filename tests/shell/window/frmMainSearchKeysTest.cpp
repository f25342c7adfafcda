// Where the keys go around the search box and the line-number box, and what the status bar
// counts after a search.
#include <QApplication>
#include <QTest>
#include <memory>
#include <optional>

#include "shell/window/LineNumberInput.h"
#include "support/GuiTesting.h"
#include "support/WindowDriver.h"
#include "support/WindowFixture.h"

namespace tavelo {

using testing::drive;
using testing::q;

class frmMainSearchKeysTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<testing::WindowFixture> w;
    frmMain& form() { return *w->form; }

    // The window on the screen with the keys in the search box, as after a click into it.
    void typeInSearchBox(const QString& word) {
        form().show();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
        drive(form()).txtSearch().setFocus();
        drive(form()).txtSearch().Text(word.toStdU16String());
    }

private slots:
    void init() {
        w = std::make_unique<testing::WindowFixture>();
        // Lines of 漢字 repeated, a 猫 in line 3 only.
        w->open(
            w->writeFile(QStringLiteral("doc.tl2"),
                         "漢字漢字\r\n漢字\r\n猫漢字\r\n漢字\r\n漢字\r\n漢字\r\n漢字\r\n漢字\r\n"
                         "漢字\r\n漢字\r\n漢字\r\n漢字\r\n"));
    }
    void cleanup() { w.reset(); }

    // --- Focus ---
    void search_byButtonOrEnter_givesTheKeysToTheView_data() {
        QTest::addColumn<bool>("enter");
        QTest::newRow("button") << false;
        QTest::newRow("Enter") << true;
    }
    void search_byButtonOrEnter_givesTheKeysToTheView() {
        QFETCH(bool, enter);
        typeInSearchBox(QStringLiteral("猫"));
        if (enter)
            QTest::keyClick(&drive(form()).txtSearch(), Qt::Key_Return);
        else
            QTest::mouseClick(&drive(form()).cmdSearch(), Qt::LeftButton);
        QCOMPARE(QApplication::focusWidget(), &drive(form()).hsb1());
        const Integer before = drive(form()).hsb1().Value();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(drive(form()).hsb1().Value(), Integer(before + 1));
    }

    void escapeInTheSearchBox_givesTheKeysBackWithoutSearching() {
        typeInSearchBox(QStringLiteral("猫"));
        QTest::keyClick(&drive(form()).txtSearch(), Qt::Key_Escape);
        QCOMPARE(QApplication::focusWidget(), &drive(form()).hsb1());
        QVERIFY(!drive(form()).hitsShown());
    }

    // --- Counts ---
    void hitCount_isTheWordsOwn_withTheTotalOfEarlierWordsApart() {
        drive(form()).txtSearch().Text(u"漢");
        form().cmdSearch_Click();
        QVERIFY2(q(w->status()).endsWith(QStringLiteral("検索「漢」13件")),
                 qPrintable(q(w->status())));
        drive(form()).txtSearch().Text(u"10");
        form().cmdSearch_Click();
        QVERIFY2(q(w->status()).endsWith(QStringLiteral("検索「10」0件(2語で計13件)")),
                 qPrintable(q(w->status())));
    }

    // --- The line-number box ---
    void lineNumberBox_goesToTheLineTyped_orSaysWhyNot_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("position");  // -1: refused, the view stays
        QTest::newRow("a line") << QStringLiteral("5") << 4;
        QTest::newRow("full-width digits") << QStringLiteral("１０") << 9;
        QTest::newRow("the last line") << QStringLiteral("12") << 11;
        QTest::newRow("past the end") << QStringLiteral("13") << -1;
        QTest::newRow("zero") << QStringLiteral("0") << -1;
        QTest::newRow("not a number") << QStringLiteral("五") << -1;
    }
    void lineNumberBox_goesToTheLineTyped_orSaysWhyNot() {
        QFETCH(QString, typed);
        QFETCH(int, position);
        drive(form()).hsb1().Value(2);
        QVERIFY(drive(form()).txtLineNumber().Enabled());
        QVERIFY(!drive(form()).txtLineNumber().isReadOnly());
        drive(form()).txtLineNumber().setFocus();
        drive(form()).txtLineNumber().Text(typed.toStdU16String());
        QTest::keyClick(&drive(form()).txtLineNumber(), Qt::Key_Return);
        if (position >= 0) {
            QCOMPARE(drive(form()).hsb1().Value(), Integer(position));
            QCOMPARE(q(drive(form()).txtLineNumber().Text()), QString::number(position + 1));
        } else {
            QCOMPARE(drive(form()).hsb1().Value(), Integer{2});
            QCOMPARE(q(drive(form()).txtLineNumber().Text()), QStringLiteral("3"));
            QVERIFY2(q(w->status()).contains(QStringLiteral("1 から 12 まで")),
                     qPrintable(q(w->status())));
        }
    }

    void lineNumberInput_readsOnlyALineOfTheDocument() {
        const struct {
            const char16_t* text;
            std::optional<int> line;
        } cases[] = {
            {u"1", 1},
            {u" 7 ", 7},
            {u"　３　", 3},
            {u"20", 20},
            {u"21", std::nullopt},
            {u"0", std::nullopt},
            {u"", std::nullopt},
            {u"1 2", std::nullopt},
            {u"-1", std::nullopt},
            {u"99999999999999999999", std::nullopt},
        };
        for (const auto& c : cases)
            QVERIFY2(LineNumberInput::parse(c.text, 20) == c.line, qPrintable(q(c.text)));
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::frmMainSearchKeysTest)
#include "frmMainSearchKeysTest.moc"
