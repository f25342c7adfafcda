#include <sys/stat.h>

#include <QLineEdit>
#include <QListWidget>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <fstream>
#include <string>

#include "common/PathBytes.h"
#include "shell/controls/OpenFileDialog.h"
#include "support/GuiTesting.h"

namespace tavelo {

using testing::q;

namespace {

// 径の糸 in code page 932: a name from an old archive that is not UTF-8.
const std::string kShiftJis = "\x8C\x61\x82\xCC\x8E\x85";
const QString kShownShiftJis = QStringLiteral("径の糸");
const std::string kShiftJisFolder = "\x94\xA0";  // 箱
const QString kShownFolder = QStringLiteral("箱");

}  // namespace

// The open dialog lists a folder by the system's bytes: what it lists, how it shows the names,
// and which bytes come back for the choice made with the keys.
class OpenFileDialogTest : public QObject {
    Q_OBJECT

    QTemporaryDir dir;
    std::string root;  // the folder's bytes

    void touch(const std::string& relative) { std::ofstream(root + "/" + relative) << "x"; }
    static QListWidget& list(OpenFileDialog& dialog) { return *dialog.findChild<QListWidget*>(); }
    static void type(QWidget& field, const QString& text) {
        static_cast<QLineEdit&>(field).setText(text);
        QTest::keyClick(&field, Qt::Key_Return);
    }
    static QLineEdit& nameField(OpenFileDialog& dialog) {
        return *dialog.findChildren<QLineEdit*>().at(1);
    }
    static QLineEdit& locationField(OpenFileDialog& dialog) {
        return *dialog.findChildren<QLineEdit*>().at(0);
    }
    static void selectShown(OpenFileDialog& dialog, const QString& shown) {
        const auto found = list(dialog).findItems(shown, Qt::MatchExactly);
        QVERIFY(!found.isEmpty());
        list(dialog).setCurrentItem(found.front());
    }

private slots:
    void initTestCase() {
        root = dir.path().toStdString();
        ::mkdir((root + "/" + kShiftJisFolder).c_str(), 0700);
        ::mkdir((root + "/章").c_str(), 0700);
        ::mkdir((root + "/.hidden").c_str(), 0700);
        for (const std::string& name :
             {kShiftJis + ".tl2", std::string("b.TXT"), std::string("a.zip"),
              std::string("memo.doc"), std::string(".dot.tl2")})
            touch(name);
        touch("章/中.tl2");
        touch(kShiftJisFolder + "/" + kShiftJis + ".txt");
    }
    // QTemporaryDir removes by text names and would leave the Shift-JIS ones behind.
    void cleanupTestCase() { std::filesystem::remove_all(root); }

    // --- Listing ---
    void listsFoldersFirst_thenTheFilesTheFilterNames_data() {
        QTest::addColumn<QString>("filter");
        QTest::addColumn<QStringList>("shown");
        const QStringList folders{QStringLiteral("章/"), kShownFolder + u'/'};
        QTest::newRow("tl2") << QStringLiteral("tl2形式ﾌｧｲﾙ (*.tl2)")
                             << folders + QStringList{kShownShiftJis + QStringLiteral(".tl2")};
        QTest::newRow("text, any case")
            << QStringLiteral("テキスト (*.txt *.zip)")
            << folders + QStringList{QStringLiteral("a.zip"), QStringLiteral("b.TXT")};
        QTest::newRow("all") << QStringLiteral("すべてのファイル (*)")
                             << folders + QStringList{QStringLiteral("a.zip"),
                                                      QStringLiteral("b.TXT"),
                                                      QStringLiteral("memo.doc"),
                                                      kShownShiftJis + QStringLiteral(".tl2")};
    }
    void listsFoldersFirst_thenTheFilesTheFilterNames() {
        QFETCH(QString, filter);
        QFETCH(QStringList, shown);
        OpenFileDialog dialog;
        dialog.setNameFilters({filter});
        dialog.setPath(PathBytes::fromSystem(root));
        QCOMPARE(dialog.shownNames(), shown);
    }

    // --- Choosing ---
    void enterOnTheListedName_choosesItsVeryBytes() {
        OpenFileDialog dialog;
        dialog.setNameFilters({QStringLiteral("tl2形式ﾌｧｲﾙ (*.tl2)")});
        dialog.setPath(PathBytes::fromSystem(root));
        selectShown(dialog, kShownShiftJis + QStringLiteral(".tl2"));
        QCOMPARE(nameField(dialog).text(), kShownShiftJis + QStringLiteral(".tl2"));
        QTest::keyClick(&list(dialog), Qt::Key_Return);
        QCOMPARE(dialog.result(), int{QDialog::Accepted});
        QCOMPARE(PathBytes::toSystem(dialog.chosenPath()), root + "/" + kShiftJis + ".tl2");
    }
    void keys_goIntoAndUpFolders_andTypedNamesAreFoundAsShown() {
        OpenFileDialog dialog;
        dialog.setNameFilters({QStringLiteral("すべてのファイル (*)")});
        dialog.setPath(PathBytes::fromSystem(root));
        // Into the Shift-JIS folder with Enter: its file is listed, the location readable.
        selectShown(dialog, kShownFolder);
        QTest::keyClick(&list(dialog), Qt::Key_Return);
        QCOMPARE(dialog.shownNames(), QStringList{kShownShiftJis + QStringLiteral(".txt")});
        QCOMPARE(locationField(dialog).text(), dir.path() + u'/' + kShownFolder);
        // Backspace goes up with the folder left selected.
        QTest::keyClick(&list(dialog), Qt::Key_Backspace);
        QCOMPARE(PathBytes::toSystem(dialog.folder()), root);
        QCOMPARE(list(dialog).currentItem()->text(), kShownFolder);
        // A path typed into the location field as it reads, through a folder of bytes.
        type(locationField(dialog),
             dir.path() + u'/' + kShownFolder + u'/' + kShownShiftJis + QStringLiteral(".txt"));
        QCOMPARE(dialog.result(), int{QDialog::Accepted});
        QCOMPARE(PathBytes::toSystem(dialog.chosenPath()),
                 root + "/" + kShiftJisFolder + "/" + kShiftJis + ".txt");
    }
    void typedFolder_isShown_andAMissingFileIsRefusedWhenItMustExist() {
        OpenFileDialog dialog;
        dialog.setNameFilters({QStringLiteral("tl2形式ﾌｧｲﾙ (*.tl2)")});
        dialog.setMustExist(true);
        dialog.setPath(PathBytes::fromSystem(root));
        type(nameField(dialog), QStringLiteral("章"));
        QCOMPARE(dialog.shownNames(), QStringList{QStringLiteral("中.tl2")});
        type(nameField(dialog), QStringLiteral("../ない.tl2"));
        QVERIFY(dialog.chosenPath().empty());
        QCOMPARE(PathBytes::toSystem(dialog.folder()), root + "/章");
        dialog.setMustExist(false);
        type(nameField(dialog), QStringLiteral("../ない.tl2"));
        QCOMPARE(q(dialog.chosenPath()), dir.path() + QStringLiteral("/ない.tl2"));
    }
};

}  // namespace tavelo

TAVELO_GUI_TEST_MAIN(tavelo::OpenFileDialogTest)
#include "OpenFileDialogTest.moc"
