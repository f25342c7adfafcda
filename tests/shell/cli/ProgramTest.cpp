#include <gtest/gtest.h>

#include <QFile>
#include <QImage>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

#include "common/Version.h"
#include "support/LargeDocuments.h"
#include "support/PdfInspection.h"

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
    EXPECT_EQ(version.out,
              QStringLiteral("Tavelo ") + QString::fromLatin1(tavelo::version::kText) + u'\n');
    const ProgramRun help = run({QStringLiteral("--help")});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.startsWith(QStringLiteral("Usage: tavelo")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("--render")));
}

TEST(ProgramTest, unknownOptionOrMissingValue_isBadUsage) {
    const ProgramRun unknown = run({QStringLiteral("--colour")});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.err.contains(QStringLiteral("Unknown option 'colour'")))
        << unknown.err.toStdString();
    const ProgramRun missing = run({QStringLiteral("--out")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.contains(QStringLiteral("Missing value after '--out'")));
    EXPECT_EQ(run({QStringLiteral("--dump-json")}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("--render"), QStringLiteral(TAVELO_SAMPLE)}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("--style"), QStringLiteral("large")}).exitCode, 2);
}

// (The window names a missing file in its own message and opens the others: frmMainStartupTest.)
TEST(ProgramTest, missingFile_isNamedAndEndsWithStatusOne) {
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
    // Read as tl2, and as prose (the reader a name without .tl2 goes to): both name the file.
    for (const auto& [format, said] :
         {std::pair{QStringLiteral("tl2"), QStringLiteral("/proc/self/mem ファイルを開けません。")},
          std::pair{QStringLiteral("prose"), QStringLiteral("/proc/self/mem を開けません。")}}) {
        const ProgramRun render = run(
            {QStringLiteral("--render"), QStringLiteral("/proc/self/mem"), QStringLiteral("--out"),
             folder.filePath(QStringLiteral("view.png")), QStringLiteral("--format"), format});
        EXPECT_EQ(render.exitCode, 1) << render.err.toStdString();
        EXPECT_TRUE(render.err.contains(said)) << render.err.toStdString();
        const ProgramRun dump =
            run({QStringLiteral("--dump-json"), QStringLiteral("/proc/self/mem"),
                 QStringLiteral("--format"), format});
        EXPECT_EQ(dump.exitCode, 1) << dump.err.toStdString();
        EXPECT_TRUE(dump.err.contains(said)) << dump.err.toStdString();
    }
}

// A file named in Shift-JIS bytes opens by its bytes from every mode of the command line. The
// name is handed over by the shell, as QProcess can only pass text.
TEST(ProgramTest, fileNamedInShiftJis_opensByItsBytes) {
    QTemporaryDir folder;
    const std::string path = folder.path().toStdString() + "/\x8A\xBF\x8E\x9A.tl2";  // 漢字.tl2
    std::ofstream(path, std::ios::binary) << "\x8A\xBF\x8E\x9A\r\n";
    auto runWithName = [&](const QString& mode, const QStringList& more) {
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    QStringList{QStringLiteral("-c"),
                                QStringLiteral("p=$0 m=$1 d=$2; shift 2; exec \"$p\" \"$m\" "
                                               "\"$d/$(printf '\\212\\277\\216\\232').tl2\" "
                                               "\"$@\""),
                                QStringLiteral(TAVELO_PROGRAM), mode, folder.path()} +
                        more);
        shell.waitForFinished(60000);
        return ProgramRun{shell.exitCode(), QString::fromUtf8(shell.readAllStandardOutput()),
                          QString::fromUtf8(shell.readAllStandardError())};
    };
    const ProgramRun dump = runWithName(QStringLiteral("--dump-json"), {});
    EXPECT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    EXPECT_TRUE(dump.out.contains(QStringLiteral("\"file\": \"漢字.tl2\"")))
        << dump.out.toStdString();
    EXPECT_TRUE(dump.out.contains(QStringLiteral("\"Bun\": \"漢字\"")));
    const ProgramRun render =
        runWithName(QStringLiteral("--render"),
                    {QStringLiteral("--out"), folder.filePath(QStringLiteral("view.png"))});
    EXPECT_EQ(render.exitCode, 0) << render.err.toStdString();
    EXPECT_TRUE(QFile::exists(folder.filePath(QStringLiteral("view.png"))));
    const ProgramRun pdf =
        runWithName(QStringLiteral("--pdf"),
                    {QStringLiteral("--out"), folder.filePath(QStringLiteral("漢字.pdf"))});
    EXPECT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
    EXPECT_EQ(testing::inspectPdf(folder.filePath(QStringLiteral("漢字.pdf"))).pages, 1);
}

// An output named in Shift-JIS bytes is written under those very bytes, by the render and by
// both kinds of PDF: no file of another name appears beside it.
TEST(ProgramTest, outputNamedInShiftJis_isWrittenUnderItsBytes) {
    struct Case {
        const char* extension;
        QStringList options;
    };
    const Case cases[] = {
        {".png", {QStringLiteral("--render"), QStringLiteral(TAVELO_SAMPLE)}},
        {".pdf", {QStringLiteral("--pdf"), QStringLiteral(TAVELO_SAMPLE)}},
        {".pdf",
         {QStringLiteral("--pdf"), QStringLiteral(TAVELO_SAMPLE), QStringLiteral("--grid"),
          QStringLiteral("screen")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.options.join(u' ').toStdString());
        QTemporaryDir folder;
        // 漢字 in Shift-JIS (8A BF 8E 9A), passed on by the shell.
        QProcess shell;
        shell.start(QStringLiteral("/bin/sh"),
                    QStringList{QStringLiteral("-c"),
                                QStringLiteral("p=$0 d=$1 e=$2; shift 2; exec \"$p\" \"$@\" "
                                               "--out \"$d/$(printf '\\212\\277\\216\\232')$e\""),
                                QStringLiteral(TAVELO_PROGRAM), folder.path(),
                                QString::fromLatin1(c.extension)} +
                        c.options);
        shell.waitForFinished(60000);
        ASSERT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().toStdString();
        const std::string name = std::string("\x8A\xBF\x8E\x9A") + c.extension;
        std::vector<std::string> written;
        for (const auto& entry : std::filesystem::directory_iterator(folder.path().toStdString()))
            written.push_back(entry.path().filename().native());
        EXPECT_EQ(written, std::vector<std::string>{name});
        std::error_code error;
        EXPECT_GT(std::filesystem::file_size(folder.path().toStdString() + "/" + name, error), 0u);
        EXPECT_FALSE(error) << error.message();
    }
}

// --- Render ---
// The image is of the format the name's extension names; a name of no writable format is bad
// usage and writes nothing.
TEST(ProgramTest, render_writesTheFormatTheExtensionNames) {
    QTemporaryDir folder;
    const struct {
        const char* name;
        QByteArray start;  // the format's signature; empty: refused
    } cases[] = {
        {"view.png", QByteArray("\x89PNG", 4)},
        {"view.jpg", QByteArray("\xFF\xD8\xFF", 3)},
        {"view.JPEG", QByteArray("\xFF\xD8\xFF", 3)},
        {"view.bmp", QByteArray("BM")},
        {"view.xyz", QByteArray()},
        {"view", QByteArray()},
    };
    for (const auto& c : cases) {
        const QString out = folder.filePath(QString::fromLatin1(c.name));
        const ProgramRun render = run({QStringLiteral("--render"), QStringLiteral(TAVELO_SAMPLE),
                                       QStringLiteral("--out"), out});
        QFile written(out);
        if (c.start.isEmpty()) {
            EXPECT_EQ(render.exitCode, 2) << c.name;
            EXPECT_FALSE(written.exists()) << c.name;
            EXPECT_TRUE(render.err.contains(QStringLiteral("jpg"))) << render.err.toStdString();
            continue;
        }
        EXPECT_EQ(render.exitCode, 0) << c.name << render.err.toStdString();
        ASSERT_TRUE(written.open(QIODevice::ReadOnly)) << c.name;
        EXPECT_TRUE(written.readAll().startsWith(c.start)) << c.name;
    }
}

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

// At --scale 2 the same layout is drawn at twice the pixels: glyphs rasterised at twice their
// size, not the 1x image enlarged. An enlarged image has every aligned 2x2 block of one colour;
// a true 2x drawing has edges that fall between them, and anti-aliased greys.
TEST(ProgramTest, renderAtScaleTwo_drawsSharpGlyphsAtTwiceTheSize) {
    QTemporaryDir folder;
    const auto render = [&](const char* scale) {
        const QString out = folder.filePath(QStringLiteral("x%1.png").arg(QLatin1String(scale)));
        const ProgramRun run_ =
            run({QStringLiteral("--render"), QStringLiteral(TAVELO_SAMPLE), QStringLiteral("--out"),
                 out, QStringLiteral("--view"), QStringLiteral("300x400"),
                 QStringLiteral("--scale"), QLatin1String(scale)});
        EXPECT_EQ(run_.exitCode, 0) << run_.err.toStdString();
        return QImage(out).convertToFormat(QImage::Format_RGB32);
    };
    const QImage one = render("1");
    const QImage two = render("2");
    ASSERT_EQ(one.size(), QSize(300, 400));
    ASSERT_EQ(two.size(), QSize(600, 800));
    EXPECT_NE(two, one.scaled(600, 800, Qt::IgnoreAspectRatio, Qt::FastTransformation));

    const auto inked = [](const QImage& image, int x, int y) {
        return image.pixel(x, y) != 0xFFFFFFFFu;
    };
    int inkedBlocks = 0, mixedBlocks = 0, greys = 0;
    for (int y = 0; y < two.height(); y += 2)
        for (int x = 0; x < two.width(); x += 2) {
            const QRgb first = two.pixel(x, y);
            bool anyInk = false, mixed = false;
            for (const QPoint p :
                 {QPoint(x, y), QPoint(x + 1, y), QPoint(x, y + 1), QPoint(x + 1, y + 1)}) {
                anyInk = anyInk || inked(two, p.x(), p.y());
                mixed = mixed || two.pixel(p) != first;
                const int grey = qGray(two.pixel(p));
                if (grey > 0 && grey < 255) ++greys;
            }
            inkedBlocks += anyInk ? 1 : 0;
            mixedBlocks += mixed ? 1 : 0;
        }
    ASSERT_GT(inkedBlocks, 100);
    EXPECT_GT(mixedBlocks * 4, inkedBlocks) << mixedBlocks << " of " << inkedBlocks;
    EXPECT_GT(greys, 100);

    // The ink stands where the 1x ink stands, twice as far from the corner.
    const auto inkBox = [&](const QImage& image) {
        QRect box;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                if (inked(image, x, y)) box |= QRect(x, y, 1, 1);
        return box;
    };
    const QRect small = inkBox(one);
    const QRect large = inkBox(two);
    EXPECT_LE(std::abs(large.left() - 2 * small.left()), 4) << large.left();
    EXPECT_LE(std::abs(large.top() - 2 * small.top()), 4) << large.top();
    EXPECT_LE(std::abs(large.right() - 2 * small.right()), 4) << large.right();
    EXPECT_LE(std::abs(large.bottom() - 2 * small.bottom()), 4) << large.bottom();
}

// --- PDF ---
TEST(ProgramTest, pdfOfTheScreensPages_writesEveryPageWithItsFontsInEitherStyle) {
    QTemporaryDir folder;
    const QString small = folder.filePath(QStringLiteral("small.pdf"));
    const QString large = folder.filePath(QStringLiteral("large.pdf"));
    const ProgramRun smallRun =
        run({QStringLiteral("--pdf"), QStringLiteral(TAVELO_SAMPLE), QStringLiteral("--out"), small,
             QStringLiteral("--grid"), QStringLiteral("screen")});
    EXPECT_EQ(smallRun.exitCode, 0) << smallRun.err.toStdString();
    EXPECT_TRUE(smallRun.out.isEmpty());
    const ProgramRun largeRun =
        run({QStringLiteral("--pdf"), QStringLiteral(TAVELO_SAMPLE), QStringLiteral("--out"), large,
             QStringLiteral("--style"), QStringLiteral("large"), QStringLiteral("--grid"),
             QStringLiteral("screen")});
    EXPECT_EQ(largeRun.exitCode, 0) << largeRun.err.toStdString();

    const testing::PdfInspection smallPdf = testing::inspectPdf(small);
    const testing::PdfInspection largePdf = testing::inspectPdf(large);
    ASSERT_TRUE(smallPdf.readable);
    ASSERT_TRUE(largePdf.readable);
    EXPECT_GE(smallPdf.pages, 2);
    // The large style shows fewer lines per view, and each set of lines twice.
    EXPECT_EQ(largePdf.pages % 2, 0);
    EXPECT_GT(largePdf.pages, smallPdf.pages);
    EXPECT_FALSE(smallPdf.embeddedFonts.isEmpty());
}

TEST(ProgramTest, pdf_badUsageAndUnwritableOutput) {
    EXPECT_EQ(run({QStringLiteral("--pdf"), QStringLiteral(TAVELO_SAMPLE)}).exitCode, 2);
    EXPECT_EQ(run({QStringLiteral("--pdf"), QStringLiteral(TAVELO_SAMPLE), QStringLiteral("--out"),
                   QStringLiteral("x.pdf"), QStringLiteral("--position"), QStringLiteral("3")})
                  .exitCode,
              2);
    const ProgramRun unwritable =
        run({QStringLiteral("--pdf"), QStringLiteral(TAVELO_SAMPLE), QStringLiteral("--out"),
             QStringLiteral("/nonexistent-folder/x.pdf")});
    EXPECT_EQ(unwritable.exitCode, 1);
    EXPECT_TRUE(unwritable.err.contains(QStringLiteral("/nonexistent-folder/x.pdf")));
    const ProgramRun missing = run({QStringLiteral("--pdf"), QStringLiteral("/nonexistent/x.tl2"),
                                    QStringLiteral("--out"), QStringLiteral("x.pdf")});
    EXPECT_EQ(missing.exitCode, 1);
}

// Manuscript pages, A4 landscape 40 x 30 unless told: one column per line of 20 characters,
// two per line of 55, 30 columns a page; 20 x 20 on A5 portrait sets 3 columns per line of 55.
TEST(ProgramTest, pdfOfManuscriptPages_hasThePagesCountedByHand) {
    struct Case {
        int lines;
        int length;
        QStringList options;
        int pages;
    };
    const Case cases[] = {
        {120, 20, {}, 4},
        {60, 55, {}, 4},
        {60,
         55,
         {QStringLiteral("--grid"), QStringLiteral("20x20"), QStringLiteral("--paper"),
          QStringLiteral("a5"), QStringLiteral("--portrait")},
         9},
        {120,
         20,
         {QStringLiteral("--grid"), QStringLiteral("30x40"), QStringLiteral("--font-size"),
          QStringLiteral("9")},
         3},
    };
    QTemporaryDir folder;
    for (const Case& c : cases) {
        const QString name = QStringLiteral("%1x%2").arg(c.lines).arg(c.length);
        const QString document = folder.filePath(name + QStringLiteral(".tl2"));
        std::ofstream(document.toStdString(), std::ios::binary)
            << testing::large_documents::uniformLines(static_cast<std::size_t>(c.lines),
                                                      static_cast<std::size_t>(c.length));
        const QString out = folder.filePath(name + QStringLiteral(".pdf"));
        const ProgramRun pdf =
            run(QStringList{QStringLiteral("--pdf"), document, QStringLiteral("--out"), out} +
                c.options);
        EXPECT_EQ(pdf.exitCode, 0) << pdf.err.toStdString();
        EXPECT_EQ(testing::inspectPdf(out).pages, c.pages) << name.toStdString();
    }
}

// Values that cannot be set end with what fits and status 2, and write nothing.
TEST(ProgramTest, pdfOfManuscriptPages_refusesWhatCannotBeSet) {
    struct Case {
        QStringList options;
        const char* message;
    };
    const Case cases[] = {
        {{QStringLiteral("--grid"), QStringLiteral("0x30")}, "has no cells"},
        {{QStringLiteral("--grid"), QStringLiteral("120x80")}, "at most"},
        {{QStringLiteral("--paper"), QStringLiteral("A5"), QStringLiteral("--portrait")},
         "at most"},
        {{QStringLiteral("--font-size"), QStringLiteral("5")}, "below the legible"},
        {{QStringLiteral("--paper"), QStringLiteral("C5")}, "--paper takes A4, B5, A5 or B4"},
        {{QStringLiteral("--grid"), QStringLiteral("forty")}, "--grid takes NxM"},
        {{QStringLiteral("--landscape"), QStringLiteral("--portrait")}, "exclude each other"},
        {{QStringLiteral("--style"), QStringLiteral("large")}, "add --grid screen"},
        {{QStringLiteral("--grid"), QStringLiteral("screen"), QStringLiteral("--paper"),
          QStringLiteral("B5")},
         "manuscript pages"},
    };
    QTemporaryDir folder;
    const QString out = folder.filePath(QStringLiteral("never.pdf"));
    for (const Case& c : cases) {
        const ProgramRun pdf =
            run(QStringList{QStringLiteral("--pdf"), QStringLiteral(TAVELO_SAMPLE),
                            QStringLiteral("--out"), out} +
                c.options);
        EXPECT_EQ(pdf.exitCode, 2) << c.options.join(u' ').toStdString();
        EXPECT_TRUE(pdf.err.contains(QString::fromUtf8(c.message))) << pdf.err.toStdString();
        EXPECT_FALSE(QFile::exists(out));
    }
    const ProgramRun window = run({QStringLiteral("--grid"), QStringLiteral("40x30")});
    EXPECT_EQ(window.exitCode, 2);
    EXPECT_TRUE(window.err.contains(QStringLiteral("go with --pdf")));
}

// --- Prose documents ---

TEST(ProgramTest, proseDump_placesEveryCharacterInOneColumn_inOrder_withinTheGrid) {
    for (const QString& view : {QStringLiteral("449x624"), QStringLiteral("1600x1000")}) {
        const ProgramRun dump =
            run({QStringLiteral("--dump-json"), QStringLiteral(TAVELO_PROSE_SAMPLE),
                 QStringLiteral("--view"), view});
        ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
        const QJsonObject json = QJsonDocument::fromJson(dump.out.toUtf8()).object();
        EXPECT_EQ(json[QStringLiteral("kind")].toString(), QStringLiteral("prose"));
        EXPECT_EQ(json[QStringLiteral("title")].toString(), QStringLiteral("羅生門"));
        EXPECT_EQ(json[QStringLiteral("encoding")].toString(), QStringLiteral("cp932"));
        const QJsonArray paragraphs = json[QStringLiteral("paragraphs")].toArray();
        const QJsonObject layout = json[QStringLiteral("layout")].toObject();
        const int perColumn = layout[QStringLiteral("charactersPerColumn")].toInt();
        const int pages = layout[QStringLiteral("pageCount")].toInt();
        // Walking the columns in order must meet every character of every paragraph once.
        qsizetype paragraph = 0;
        int next = 0;
        int lastPage = 1;
        for (const QJsonValue value : layout[QStringLiteral("columns")].toArray()) {
            const QJsonArray column = value.toArray();
            if (column[0].toInt() != paragraph) {
                ASSERT_EQ(next,
                          paragraphs[paragraph][QStringLiteral("text")].toString().toUcs4().size())
                    << "paragraph " << paragraph << " not set whole";
                ASSERT_EQ(column[0].toInt(), paragraph + 1);
                paragraph = column[0].toInt();
                next = 0;
            }
            ASSERT_EQ(column[1].toInt(), next);
            EXPECT_LE(column[2].toInt() - column[1].toInt(), perColumn + 1);
            EXPECT_GE(column[3].toInt(), lastPage);
            lastPage = column[3].toInt();
            next = column[2].toInt();
        }
        EXPECT_EQ(paragraph, paragraphs.size() - 1);
        EXPECT_EQ(lastPage, pages);
    }
}

TEST(ProgramTest, proseRender_drawsTheChosenPage_andPageGoesWithProseOnly) {
    QTemporaryDir folder;
    const QString first = folder.filePath(QStringLiteral("1.png"));
    const QString second = folder.filePath(QStringLiteral("2.png"));
    for (const auto& [page, out] :
         {std::pair{QStringLiteral("1"), first}, std::pair{QStringLiteral("2"), second}})
        ASSERT_EQ(run({QStringLiteral("--render"), QStringLiteral(TAVELO_PROSE_SAMPLE),
                       QStringLiteral("--out"), out, QStringLiteral("--page"), page,
                       QStringLiteral("--scale"), QStringLiteral("2")})
                      .exitCode,
                  0);
    const QImage one(first);
    EXPECT_EQ(one.size(), QSize(2 * 449, 2 * 624));
    EXPECT_NE(one, QImage(second));
    EXPECT_EQ(run({QStringLiteral("--render"), QStringLiteral(TAVELO_SAMPLE),
                   QStringLiteral("--out"), first, QStringLiteral("--page"), QStringLiteral("2")})
                  .exitCode,
              2);
    EXPECT_EQ(run({QStringLiteral("--dump-json"), QStringLiteral(TAVELO_PROSE_SAMPLE),
                   QStringLiteral("--zoom"), QStringLiteral("401")})
                  .exitCode,
              2);
}

// A story as 20 x 20 manuscript sheets: as many pages as the dump's 400-character sheets, one
// more with --title-page, which goes with prose manuscript pages only.
TEST(ProgramTest, prosePdf_hasAPagePerSheet_andATitlePageWhenAsked) {
    const ProgramRun dump =
        run({QStringLiteral("--dump-json"), QStringLiteral(TAVELO_PROSE_SAMPLE)});
    ASSERT_EQ(dump.exitCode, 0) << dump.err.toStdString();
    const int sheets = QJsonDocument::fromJson(dump.out.toUtf8())
                           .object()[QStringLiteral("length")]
                           .toObject()[QStringLiteral("sheets400")]
                           .toInt();
    ASSERT_GT(sheets, 10);
    QTemporaryDir folder;
    const QString plain = folder.filePath(QStringLiteral("sheets.pdf"));
    const QString titled = folder.filePath(QStringLiteral("titled.pdf"));
    const QStringList grid{QStringLiteral("--grid"), QStringLiteral("20x20")};
    ASSERT_EQ(run(QStringList{QStringLiteral("--pdf"), QStringLiteral(TAVELO_PROSE_SAMPLE),
                              QStringLiteral("--out"), plain} +
                  grid)
                  .exitCode,
              0);
    ASSERT_EQ(run(QStringList{QStringLiteral("--pdf"), QStringLiteral(TAVELO_PROSE_SAMPLE),
                              QStringLiteral("--out"), titled, QStringLiteral("--title-page")} +
                  grid)
                  .exitCode,
              0);
    EXPECT_EQ(testing::inspectPdf(plain).pages, sheets);
    EXPECT_EQ(testing::inspectPdf(titled).pages, sheets + 1);
    for (const QStringList& refused :
         {QStringList{QStringLiteral("--pdf"), QStringLiteral(TAVELO_SAMPLE),
                      QStringLiteral("--out"), plain, QStringLiteral("--title-page")},
          QStringList{QStringLiteral("--pdf"), QStringLiteral(TAVELO_PROSE_SAMPLE),
                      QStringLiteral("--out"), plain, QStringLiteral("--grid"),
                      QStringLiteral("screen"), QStringLiteral("--title-page")}})
        EXPECT_EQ(run(refused).exitCode, 2);
}

}  // namespace
}  // namespace tavelo
