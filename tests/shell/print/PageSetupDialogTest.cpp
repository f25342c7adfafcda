#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>

#include "common/RecordingMessageSink.h"
#include "layout/CEisuuCyotai.h"
#include "layout/qt/FontMeasuringDevice.h"
#include "layout/qt/QtScreenFonts.h"
#include "prose/AozoraReader.h"
#include "shell/print/PageSetupDialog.h"
#include "store/CViewDataS.h"
#include "store/DocumentLoader.h"
#include "support/GuiTesting.h"
#include "support/LargeDocuments.h"

Q_DECLARE_METATYPE(tavelo::PrintChoice)

namespace tavelo {

class PageSetupDialogTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void choices_areAcceptedOrRefusedWithTheReason_data();
    void choices_areAcceptedOrRefusedWithTheReason();
    void controls_giveBackTheChoice();
    void choice_isRememberedInTheSettings();
    void proseDocument_showsItsLengthTitlePageAndFirstSheet();

private:
    RecordingMessageSink messages;
    FontMeasuringDevice device{449, 624};
    CEisuuCyotai fonts;
    CViewDataS documents;
};

void PageSetupDialogTest::initTestCase() {
    fonts.ScreenFont(QtScreenFonts());
    const std::string bytes = testing::large_documents::uniformLines(60, 55);
    DocumentLoader loader(messages, device);
    loader.loadBytes(std::vector<std::uint8_t>(bytes.begin(), bytes.end()), u"doc.tl2");
    loader.addTo(documents, u"doc");
}

namespace {

PrintChoice custom(int n, int m, ManuscriptGeometry::Paper paper = ManuscriptGeometry::Paper::A4) {
    PrintChoice choice;
    choice.preset = PrintChoice::Preset::Custom;
    choice.charactersPerColumn = n;
    choice.columnsPerPage = m;
    choice.paper = paper;
    return choice;
}

}  // namespace

void PageSetupDialogTest::choices_areAcceptedOrRefusedWithTheReason_data() {
    QTest::addColumn<PrintChoice>("choice");
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("reason");  // a part of it
    QTest::addColumn<bool>("preview");
    QTest::newRow("40x30 preset") << PrintChoice() << true << QString() << true;
    QTest::newRow("20x20 on A5 portrait") << [] {
        PrintChoice c;
        c.preset = PrintChoice::Preset::Grid20x20;
        c.paper = ManuscriptGeometry::Paper::A5;
        c.orientation = ManuscriptGeometry::Orientation::Portrait;
        return c;
    }() << true << QString() << true;
    QTest::newRow("as many as fit at 12 pt") << [] {
        PrintChoice c;
        c.preset = PrintChoice::Preset::AsManyAsFit;
        c.fontSize = 12;
        return c;
    }() << true << QString() << true;
    QTest::newRow("200x200 on A4")
        << custom(200, 200) << false << QStringLiteral("at most") << false;
    QTest::newRow("no cells") << custom(0, 30) << false << QStringLiteral("no cells") << false;
    QTest::newRow("40x30 at 30 pt") <<
        [] {
            PrintChoice c;
            c.fontSize = 30;
            return c;
        }() << false << QStringLiteral("does not fit")
                                    << false;
    QTest::newRow("screen on A4") << PrintChoice::screen(DocumentPrinter::Paper::A4Landscape)
                                  << true << QString() << false;
    QTest::newRow("screen on B4") <<
        [] {
            PrintChoice c = PrintChoice::screen(DocumentPrinter::Paper::A4Portrait);
            c.paper = ManuscriptGeometry::Paper::B4;
            return c;
        }() << false << QStringLiteral("画面のとおりの用紙")
                                  << false;
}

void PageSetupDialogTest::choices_areAcceptedOrRefusedWithTheReason() {
    QFETCH(PrintChoice, choice);
    QFETCH(bool, accepted);
    QFETCH(QString, reason);
    QFETCH(bool, preview);
    PageSetupDialog dialog(documents.Item(1), fonts);
    dialog.setChoice(choice);
    QCOMPARE(dialog.okButton().isEnabled(), accepted);
    QCOMPARE(dialog.reason().isEmpty(), reason.isEmpty());
    QVERIFY2(dialog.reason().contains(reason), qPrintable(dialog.reason()));
    QCOMPARE(!dialog.previewImage().isNull(), preview);
    QCOMPARE(dialog.length(), QStringLiteral("3,300字 (400字詰め 9枚)"));
    QCOMPARE(dialog.choice(), choice);
}

// Typing a grid that does not fit disables OK at once, and a fitting one enables it again.
void PageSetupDialogTest::controls_giveBackTheChoice() {
    PageSetupDialog dialog(documents.Item(1), fonts);
    dialog.layouts().setCurrentIndex(static_cast<int>(PrintChoice::Preset::Custom));
    QVERIFY(dialog.characters().isEnabled());
    dialog.characters().setValue(120);
    QVERIFY(!dialog.okButton().isEnabled());
    dialog.characters().setValue(20);
    dialog.columns().setValue(10);
    dialog.papers().setCurrentIndex(static_cast<int>(ManuscriptGeometry::Paper::B5));
    dialog.orientations().setCurrentIndex(1);
    QVERIFY(dialog.okButton().isEnabled());
    const PrintChoice choice = dialog.choice();
    QCOMPARE(choice.settings().charactersPerColumn, 20);
    QCOMPARE(choice.settings().columnsPerPage, 10);
    QCOMPARE(choice.settings().paper, ManuscriptGeometry::Paper::B5);
    QCOMPARE(choice.settings().orientation, ManuscriptGeometry::Orientation::Portrait);
    QVERIFY(!choice.settings().fontSize);
}

void PageSetupDialogTest::choice_isRememberedInTheSettings() {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("tavelo.ini"));
    PrintChoice choice = custom(25, 12, ManuscriptGeometry::Paper::B4);
    choice.fontSize = 11.5;
    choice.title = true;
    {
        QSettings settings(path, QSettings::IniFormat);
        QCOMPARE(PrintChoice::load(settings), PrintChoice());  // nothing saved yet
        choice.save(settings);
    }
    QSettings settings(path, QSettings::IniFormat);
    QCOMPARE(PrintChoice::load(settings), choice);
    settings.setValue(QStringLiteral("ManuscriptPages/Paper"), 9);  // not a paper
    QCOMPARE(PrintChoice::load(settings).paper, ManuscriptGeometry::Paper::A4);
}

// A prose document: its length as the layout counts it, the title check box as the title page,
// and a preview of the first sheet, of the title page when it is chosen.
void PageSetupDialogTest::proseDocument_showsItsLengthTitlePageAndFirstSheet() {
    const prose::ProseDocument document =
        prose::readAozoraText(U"猫\n夏目漱石\n\n吾輩は猫である。名前はまだ無い。\n");
    PageSetupDialog dialog(PrintPreview::of(document));
    QCOMPARE(dialog.length(), QStringLiteral("16字 (400字詰め 1枚)"));
    QCOMPARE(dialog.title().text(), QStringLiteral("題名と著者名の扉を付ける"));
    PrintChoice choice;
    choice.preset = PrintChoice::Preset::Grid20x20;
    dialog.setChoice(choice);
    const QImage sheet = dialog.previewImage();
    QVERIFY(!sheet.isNull());
    choice.title = true;
    dialog.setChoice(choice);
    QVERIFY(!dialog.previewImage().isNull());
    QVERIFY(dialog.previewImage() != sheet);
    QVERIFY(dialog.okButton().isEnabled());
}

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::PageSetupDialogTest)
#include "PageSetupDialogTest.moc"
