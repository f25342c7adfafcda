#include <QDir>
#include <QFile>
#include <QIcon>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <cstdint>

#include "support/GuiTesting.h"
#include "FakeProgramLauncher.h"
#include "common/CodePage932.h"
#include "common/RecordingMessageSink.h"
#include "shell/window/MemoryRegistry.h"
#include "shell/window/frmAbout.h"

using namespace tavelo;

namespace {

constexpr RegistryStandIn::Handle HKLM = RegistryStandIn::HKEY_LOCAL_MACHINE;
const std::string kSysInfoKey = "SOFTWARE\\Microsoft\\Shared Tools\\MSINFO";
const std::string kLocationKey = "SOFTWARE\\Microsoft\\Shared Tools Location";
const String kUnavailable = u"現時点ではｼｽﾃﾑ情報を使用できません";

QString q(const String& text) {
    return QString::fromStdU16String(text);
}

}  // namespace

class frmAboutSysInfoTest : public QObject {
    Q_OBJECT

private:
    // One About box over its own registry and launcher per test case.
    struct Rig {
        RecordingMessageSink messages;
        MemoryRegistry registry;
        FakeProgramLauncher launcher;
        frmAbout box{messages, registry, launcher, QIcon()};
    };

private slots:
    // --- GetKeyValue: missing keys and values ---
    void missingKey_givesFalseAndEmptiesTheText() {
        Rig rig;
        String value = u"old";
        QVERIFY(!rig.box.GetKeyValue(HKLM, u"SOFTWARE\\Nowhere", u"PATH", value));
        QVERIFY(value.empty());
        QCOMPARE(rig.registry.openHandleCount(), 0);
    }

    void missingValue_givesFalseEmptiesTheTextAndClosesTheKey() {
        Rig rig;
        rig.registry.addKey(HKLM, kSysInfoKey);
        String value = u"old";
        QVERIFY(!rig.box.GetKeyValue(HKLM, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH",
                                     value));
        QVERIFY(value.empty());
        QCOMPARE(rig.registry.openHandleCount(), 0);
    }

    void keyIsOpenedAskingForEveryRight() {
        Rig rig;
        String value;
        (void)rig.box.GetKeyValue(HKLM, u"SOFTWARE", u"X", value);
        QCOMPARE(rig.registry.lastAccessMask(), 131135);
    }

    // --- GetKeyValue: strings ---
    void stringValue_givesItsTextWithoutTheFinalNul() {
        Rig rig;
        rig.registry.setString(HKLM, kSysInfoKey, "PATH", "C:\\Tools\\MSINFO32.EXE");
        String value = u"old";
        QVERIFY(rig.box.GetKeyValue(HKLM, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH",
                                    value));
        QCOMPARE(q(value), QStringLiteral("C:\\Tools\\MSINFO32.EXE"));
        QCOMPARE(rig.registry.openHandleCount(), 0);
    }

    void stringValueWithoutNul_keepsEveryCharacter() {
        Rig rig;
        rig.registry.setValue(HKLM, kSysInfoKey, "PATH", RegistryStandIn::REG_SZ, {'a', 'b', 'c'});
        String value;
        QVERIFY(rig.box.GetKeyValue(HKLM, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH",
                                    value));
        QCOMPARE(q(value), QStringLiteral("abc"));
    }

    void emptyStringValue_givesEmptyTextAndTrue() {
        Rig rig;
        rig.registry.setString(HKLM, kSysInfoKey, "PATH", "");
        String value = u"old";
        QVERIFY(rig.box.GetKeyValue(HKLM, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH",
                                    value));
        QVERIFY(value.empty());
    }

    void stringValueInCodePage932_isDecoded() {
        Rig rig;
        rig.registry.setString(HKLM, kSysInfoKey, "PATH",
                               CodePage932::encode(u"D:\\ツール\\情報.exe"));
        String value;
        QVERIFY(rig.box.GetKeyValue(HKLM, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"PATH",
                                    value));
        QCOMPARE(q(value), QStringLiteral("D:\\ツール\\情報.exe"));
    }

    void stringOfTheWholeBuffer_fitsAndOneByteMoreFails() {
        Rig rig;
        rig.registry.setString(HKLM, kSysInfoKey, "Fits", std::string(1023, 'x'));
        rig.registry.setString(HKLM, kSysInfoKey, "TooLong", std::string(1024, 'x'));
        String value;
        QVERIFY(rig.box.GetKeyValue(HKLM, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"Fits",
                                    value));
        QCOMPARE(value.size(), std::size_t{1023});
        QVERIFY(!rig.box.GetKeyValue(HKLM, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"TooLong",
                                     value));
        QVERIFY(value.empty());
        QCOMPARE(rig.registry.openHandleCount(), 0);
    }

    // --- GetKeyValue: numbers and other types ---
    void dwordValue_givesTheNumberInDecimal_data() {
        QTest::addColumn<quint32>("stored");
        QTest::addColumn<QString>("expected");
        QTest::newRow("zero") << 0u << QStringLiteral("0");
        QTest::newRow("one byte") << 0x0Au << QStringLiteral("10");
        QTest::newRow("byte with a zero digit") << 0x0000010Au << QStringLiteral("266");
        QTest::newRow("low byte zero") << 0x00008000u << QStringLiteral("32768");
        QTest::newRow("high byte only") << 0x01000000u << QStringLiteral("16777216");
        QTest::newRow("all four bytes") << 0x12345678u << QStringLiteral("305419896");
        QTest::newRow("largest") << 0xFFFFFFFFu << QStringLiteral("4294967295");
    }
    void dwordValue_givesTheNumberInDecimal() {
        QFETCH(quint32, stored);
        QFETCH(QString, expected);
        Rig rig;
        rig.registry.setDword(HKLM, kSysInfoKey, "Number", stored);
        String value = u"old";
        QVERIFY(rig.box.GetKeyValue(HKLM, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"Number",
                                    value));
        QCOMPARE(q(value), expected);
        QCOMPARE(rig.registry.openHandleCount(), 0);
    }

    void otherValueType_givesTrueAndLeavesTheTextAlone() {
        Rig rig;
        rig.registry.setValue(HKLM, kSysInfoKey, "Blob", RegistryStandIn::REG_BINARY, {1, 2, 3});
        String value = u"old";
        QVERIFY(rig.box.GetKeyValue(HKLM, u"SOFTWARE\\Microsoft\\Shared Tools\\MSINFO", u"Blob",
                                    value));
        QCOMPARE(q(value), QStringLiteral("old"));
        QCOMPARE(rig.registry.openHandleCount(), 0);
    }

    // --- StartSysInfo: the registry ---
    void registryPath_isStartedAndPathIsNotSearched() {
        Rig rig;
        rig.registry.setString(HKLM, kSysInfoKey, "PATH", "/opt/msinfo/msinfo32");
        rig.launcher.putOnPath(QStringLiteral("hardinfo"), QStringLiteral("/usr/bin/hardinfo"));
        rig.box.StartSysInfo();
        QCOMPARE(rig.launcher.started(), QStringList{QStringLiteral("/opt/msinfo/msinfo32")});
        QVERIFY(rig.launcher.lookups().isEmpty());
        QVERIFY(rig.messages.messages().empty());
    }

    void locationKeyWithTheProgramThere_startsIt() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFile program(folder.filePath(QStringLiteral("MSINFO32.EXE")));
        QVERIFY(program.open(QIODevice::WriteOnly));
        program.close();
        Rig rig;
        rig.registry.setString(HKLM, kLocationKey, "MSINFO", folder.path().toStdString());
        rig.box.StartSysInfo();
        QCOMPARE(rig.launcher.started(),
                 QStringList{QDir(folder.path()).filePath(QStringLiteral("MSINFO32.EXE"))});
        QVERIFY(rig.messages.messages().empty());
    }

    void locationKeyWithoutTheProgram_fallsBackToPath() {
        QTemporaryDir emptyFolder;
        Rig rig;
        rig.registry.setString(HKLM, kLocationKey, "MSINFO", emptyFolder.path().toStdString());
        rig.launcher.putOnPath(QStringLiteral("kinfocenter"),
                               QStringLiteral("/usr/bin/kinfocenter"));
        rig.box.StartSysInfo();
        QCOMPARE(rig.launcher.started(), QStringList{QStringLiteral("/usr/bin/kinfocenter")});
        QVERIFY(rig.messages.messages().empty());
    }

    void locationKeyWithoutTheProgramAndNothingOnPath_saysUnavailable() {
        QTemporaryDir emptyFolder;
        Rig rig;
        rig.registry.setString(HKLM, kLocationKey, "MSINFO", emptyFolder.path().toStdString());
        rig.box.StartSysInfo();
        QVERIFY(rig.launcher.started().isEmpty());
        QCOMPARE(rig.messages.messages(), std::vector<String>{kUnavailable});
    }

    // --- StartSysInfo: PATH ---
    void emptyRegistry_startsTheFirstProgramFoundOnPath() {
        Rig rig;
        rig.launcher.putOnPath(QStringLiteral("gnome-system-monitor"),
                               QStringLiteral("/usr/bin/gnome-system-monitor"));
        rig.launcher.putOnPath(QStringLiteral("hardinfo"), QStringLiteral("/usr/bin/hardinfo"));
        rig.box.StartSysInfo();
        QCOMPARE(rig.launcher.started(), QStringList{QStringLiteral("/usr/bin/hardinfo")});
        QVERIFY(rig.messages.messages().empty());
    }

    void emptyRegistryAndNothingOnPath_saysUnavailableOnce() {
        Rig rig;
        rig.box.StartSysInfo();
        QCOMPARE(rig.launcher.lookups(), frmAbout::linuxSysInfoPrograms());
        QVERIFY(rig.launcher.started().isEmpty());
        QCOMPARE(rig.messages.messages(), std::vector<String>{kUnavailable});
    }

    void programThatFailsToStart_saysUnavailable() {
        Rig rig;
        rig.launcher.putOnPath(QStringLiteral("lshw-gtk"), QStringLiteral("/usr/sbin/lshw-gtk"));
        rig.launcher.failStarts();
        rig.box.StartSysInfo();
        QCOMPARE(rig.launcher.started(), QStringList{QStringLiteral("/usr/sbin/lshw-gtk")});
        QCOMPARE(rig.messages.messages(), std::vector<String>{kUnavailable});
    }

    void registryPathThatFailsToStart_saysUnavailable() {
        Rig rig;
        rig.registry.setString(HKLM, kSysInfoKey, "PATH", "/gone/msinfo32");
        rig.launcher.failStarts();
        rig.box.StartSysInfo();
        QCOMPARE(rig.messages.messages(), std::vector<String>{kUnavailable});
    }

    void sysInfoButton_runsTheLookup() {
        Rig rig;
        rig.launcher.putOnPath(QStringLiteral("hardinfo2"), QStringLiteral("/usr/bin/hardinfo2"));
        rig.box.findChild<QPushButton*>(QStringLiteral("cmdSysInfo"))->click();
        QCOMPARE(rig.launcher.started(), QStringList{QStringLiteral("/usr/bin/hardinfo2")});
    }
};

TAVELO_GUI_TEST_MAIN(frmAboutSysInfoTest)
#include "frmAboutSysInfoTest.moc"
