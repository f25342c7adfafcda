#pragma once

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QString>
#include <QStringList>

namespace tavelo::testing {

// What a PDF file holds, read by poppler's pdfinfo and pdffonts where they are installed and
// by a plain look at the file's objects where they are not (Qt writes its page and font
// objects uncompressed).
struct PdfInspection {
    bool readable = false;
    int pages = -1;
    QStringList embeddedFonts;  // the names of the fonts whose data the file holds
    bool byPoppler = false;
};

inline QString runTool(const QString& tool, const QString& path, bool& ran) {
    const QString program = QStandardPaths::findExecutable(tool);
    ran = false;
    if (program.isEmpty()) return {};
    QProcess process;
    process.start(program, {path});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) return {};
    ran = true;
    return QString::fromUtf8(process.readAllStandardOutput());
}

inline PdfInspection inspectPdf(const QString& path) {
    PdfInspection result;
    bool infoRan = false;
    bool fontsRan = false;
    const QString info = runTool(QStringLiteral("pdfinfo"), path, infoRan);
    const QString fonts = runTool(QStringLiteral("pdffonts"), path, fontsRan);
    if (infoRan && fontsRan) {
        result.byPoppler = true;
        result.readable = true;
        const auto pages = QRegularExpression(QStringLiteral("^Pages:\\s+(\\d+)$"),
                                              QRegularExpression::MultilineOption)
                               .match(info);
        if (pages.hasMatch()) result.pages = pages.captured(1).toInt();
        // name, type (two words), encoding, then emb sub uni as yes/no.
        const QRegularExpression fontLine(
            QStringLiteral("^(\\S+)\\s+.*\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+$"));
        for (const QString& line : fonts.split(QLatin1Char('\n'))) {
            const auto match = fontLine.match(line);
            if (match.hasMatch() && match.captured(2) == QStringLiteral("yes"))
                result.embeddedFonts << match.captured(1);
        }
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return result;
    const QByteArray bytes = file.readAll();
    result.readable = bytes.startsWith("%PDF-") && bytes.trimmed().endsWith("%%EOF");
    const QString text = QString::fromLatin1(bytes);
    result.pages = static_cast<int>(
        text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?![a-zA-Z])"))));
    auto fontNames =
        QRegularExpression(QStringLiteral("/FontName\\s*/([^\\s/]+)")).globalMatch(text);
    if (text.contains(QStringLiteral("/FontFile2")))
        while (fontNames.hasNext()) result.embeddedFonts << fontNames.next().captured(1);
    return result;
}

}  // namespace tavelo::testing
