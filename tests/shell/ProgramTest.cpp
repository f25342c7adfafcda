#include <gtest/gtest.h>

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <string>

namespace tavelo {
namespace {

// Runs the built program as a user would from a terminal.
struct ProgramRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ProgramRun run(const QStringList& arguments) {
    QProcess program;
    program.start(QStringLiteral(TAVELO_PROGRAM), arguments);
    program.waitForFinished(60000);
    return {program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()),
            QString::fromUtf8(program.readAllStandardError())};
}

// --- The usual options ---
TEST(ProgramTest, versionAndHelp_printInTheUsualForm) {
    const ProgramRun version = run({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("Tavelo 2.7.2\n"));
    const ProgramRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: tavelo")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--render")));
}

TEST(ProgramTest, unknownOptionOrMissingValue_isBadUsage) {
    const ProgramRun unknown = run({QStringLiteral("--colour")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("unknown option --colour")));
    EXPECT_EQ(run({QStringLiteral("--dump-json")}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("--render"), QStringLiteral(TAVELO_SAMPLE)}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("--style"), QStringLiteral("large")}).exitCode, 2);
}

TEST(ProgramTest, missingFile_isNamedAndEndsWithStatusOne) {
    const ProgramRun window = run({QStringLiteral("/nonexistent/なし.tl2")});
    EXPECT_EQ(window.exitCode, 1);
    EXPECT_TRUE(window.err.contains(QStringLiteral("/nonexistent/なし.tl2: no such file")));
    const ProgramRun dump =
        run({QStringLiteral("--dump-json"), QStringLiteral("/nonexistent/x.tl2")});
    EXPECT_EQ(dump.exitCode, 1);
    EXPECT_TRUE(dump.err.contains(QStringLiteral("ファイルを開けません。")));
}

// A file that opens but cannot be read (the kernel refuses reads of a process's memory file)
// once ended the program with an uncaught exception.
TEST(ProgramTest, fileThatCannotBeRead_isNamedAndEndsWithStatusOne) {
    if (!QFile::exists(QStringLiteral("/proc/self/mem"))) GTEST_SKIP() << "no /proc";
    QTemporaryDir folder;
    const ProgramRun render =
        run({QStringLiteral("--render"), QStringLiteral("/proc/self/mem"), QStringLiteral("--out"),
             folder.filePath(QStringLiteral("view.png"))});
    EXPECT_EQ(render.exitCode, 1) << render.err.toStdString();
    EXPECT_TRUE(render.err.contains(QStringLiteral("/proc/self/mem ファイルを開けません。")));
    const ProgramRun dump = run({QStringLiteral("--dump-json"), QStringLiteral("/proc/self/mem")});
    EXPECT_EQ(dump.exitCode, 1) << dump.err.toStdString();
    EXPECT_TRUE(dump.err.contains(QStringLiteral("ファイルを開けません。")));
}

// --- Render ---
TEST(ProgramTest, render_writesThePngOfTheView) {
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("view.png"));
    const ProgramRun render =
        run({QStringLiteral("--render"), QStringLiteral(TAVELO_SAMPLE), QStringLiteral("--out"),
             out, QStringLiteral("--style"), QStringLiteral("large"), QStringLiteral("--view"),
             QStringLiteral("300x400"), QStringLiteral("--search"), QStringLiteral("猫"),
             QStringLiteral("--hit-color"), QStringLiteral("#ff0000")});
    EXPECT_EQ(render.exitCode, 0) << render.err.toStdString();
    EXPECT_TRUE(render.out.isEmpty());
    QFile png(out);
    ASSERT_TRUE(png.open(QIODevice::ReadOnly));
    EXPECT_TRUE(png.read(8).startsWith("\x89PNG"));
}

}  // namespace
}  // namespace tavelo
