#include <QFileInfo>
#include <QTemporaryDir>
#include <QtTest>

#include "support/GuiTesting.h"
#include "shell/window/SystemProgramLauncher.h"

using namespace tavelo;

class SystemProgramLauncherTest : public QObject {
    Q_OBJECT

private slots:
    void programOnPath_isFoundWithItsFullPath() {
        SystemProgramLauncher launcher;
        const QString shell = launcher.findExecutable(QStringLiteral("sh"));
        QVERIFY(!shell.isEmpty());
        QVERIFY(QFileInfo(shell).isAbsolute());
        QVERIFY(QFileInfo(shell).isExecutable());
    }

    void unknownProgram_isNotFound() {
        SystemProgramLauncher launcher;
        QVERIFY(launcher.findExecutable(QStringLiteral("tavelo-no-such-program-4711")).isEmpty());
    }

    void startingNothingOrAMissingFile_fails() {
        SystemProgramLauncher launcher;
        QVERIFY(!launcher.startDetached(QString()));
        QTemporaryDir folder;
        QVERIFY(!launcher.startDetached(folder.filePath(QStringLiteral("missing"))));
    }

    void startingAProgram_succeedsWithoutWaiting() {
        SystemProgramLauncher launcher;
        const QString program = launcher.findExecutable(QStringLiteral("true"));
        QVERIFY(!program.isEmpty());
        QVERIFY(launcher.startDetached(program));
    }
};

TAVELO_GUI_TEST_MAIN(SystemProgramLauncherTest)
#include "SystemProgramLauncherTest.moc"
