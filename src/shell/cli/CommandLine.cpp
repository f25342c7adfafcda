#include "shell/cli/CommandLine.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <QStringList>
#include <charconv>

#include "common/PathBytes.h"
#include "layout/DefaultViewSize.h"
#include "prose/ProseLoad.h"

namespace tavelo {
namespace {

bool parseSize(const QString& text, int& width, int& height) {
    const auto match = QRegularExpression(QStringLiteral("^(\\d{1,5})x(\\d{1,5})$")).match(text);
    if (!match.hasMatch()) return false;
    width = match.captured(1).toInt();
    height = match.captured(2).toInt();
    return width > 0 && height > 0 && width <= 16384 && height <= 16384;
}

bool parseInteger(const QString& text, int& value) {
    bool ok = false;
    value = text.toInt(&ok);
    return ok && !text.startsWith(QLatin1Char('+'));
}

// "#RRGGBB" to the classic 0x00BBGGRR.
bool parseColor(const QString& text, std::uint32_t& color) {
    const std::string bytes = text.toStdString();
    if (bytes.size() != 7 || bytes[0] != '#') return false;
    std::uint32_t rgb = 0;
    auto [p, e] = std::from_chars(bytes.data() + 1, bytes.data() + 7, rgb, 16);
    if (e != std::errc() || p != bytes.data() + 7) return false;
    color = ((rgb >> 16) & 0xFF) | (rgb & 0xFF00) | ((rgb & 0xFF) << 16);
    return true;
}

// "NxM" (characters per column x columns per page); 0 parses, and the geometry refuses it
// with a message that says what fits.
bool parseGrid(const QString& text, int& characters, int& columns) {
    const auto match =
        QRegularExpression(QStringLiteral("^(\\d{1,3})[x×](\\d{1,3})$")).match(text.toLower());
    if (!match.hasMatch()) return false;
    characters = match.captured(1).toInt();
    columns = match.captured(2).toInt();
    return true;
}

// The options, each with its value's name when it takes one.
struct Options {
    QCommandLineOption dumpJson{QStringLiteral("dump-json"), {}, QStringLiteral("FILE")};
    QCommandLineOption render{QStringLiteral("render"), {}, QStringLiteral("FILE")};
    QCommandLineOption pdf{QStringLiteral("pdf"), {}, QStringLiteral("FILE")};
    QCommandLineOption view{QStringLiteral("view"), {}, QStringLiteral("WxH")};
    QCommandLineOption out{QStringLiteral("out"), {}, QStringLiteral("FILE")};
    QCommandLineOption style{QStringLiteral("style"), {}, QStringLiteral("STYLE")};
    QCommandLineOption position{QStringLiteral("position"), {}, QStringLiteral("N")};
    QCommandLineOption search{QStringLiteral("search"), {}, QStringLiteral("WORD")};
    QCommandLineOption hitColor{QStringLiteral("hit-color"), {}, QStringLiteral("#RRGGBB")};
    QCommandLineOption scale{QStringLiteral("scale"), {}, QStringLiteral("N")};
    QCommandLineOption paper{QStringLiteral("paper"), {}, QStringLiteral("PAPER")};
    QCommandLineOption landscape{QStringLiteral("landscape")};
    QCommandLineOption portrait{QStringLiteral("portrait")};
    QCommandLineOption grid{QStringLiteral("grid"), {}, QStringLiteral("NxM")};
    QCommandLineOption fontSize{QStringLiteral("font-size"), {}, QStringLiteral("PT")};
    QCommandLineOption noRestore{QStringLiteral("no-restore")};
    QCommandLineOption format{QStringLiteral("format"), {}, QStringLiteral("FORMAT")};
    QCommandLineOption page{QStringLiteral("page"), {}, QStringLiteral("N")};
    QCommandLineOption zoom{QStringLiteral("zoom"), {}, QStringLiteral("PERCENT")};
    QCommandLineOption titlePage{QStringLiteral("title-page")};

    void addTo(QCommandLineParser& parser) const {
        parser.addOptions({dumpJson, render,    pdf,    view,  out,       style,    position,
                           search,   hitColor,  scale,  paper, landscape, portrait, grid,
                           fontSize, noRestore, format, page,  zoom,      titlePage});
    }
};

bool anySet(const QCommandLineParser& parser,
            std::initializer_list<const QCommandLineOption*> options) {
    for (const QCommandLineOption* option : options)
        if (parser.isSet(*option)) return true;
    return false;
}

// The manuscript options of --pdf into `result`; false with `error` set when one is bad.
bool readManuscript(const QCommandLineParser& parser, const Options& o, CommandLine& result,
                    std::string& error) {
    const bool pageOption = anySet(parser, {&o.paper, &o.landscape, &o.portrait, &o.fontSize});
    if (result.mode != CommandLine::Mode::Pdf) {
        if (pageOption || parser.isSet(o.grid))
            error = "--paper, --landscape, --portrait, --grid and --font-size go with --pdf";
        return !pageOption && !parser.isSet(o.grid);
    }
    if (parser.isSet(o.grid) && parser.value(o.grid) == QStringLiteral("screen")) {
        result.screenPages = true;
        if (pageOption)
            error =
                "--grid screen takes its paper from the screen's pages (A4 landscape)"
                "; --paper, --landscape, --portrait and --font-size set "
                "manuscript pages";
        return !pageOption;
    }
    if (parser.isSet(o.style)) {
        error = "--style sets the screen's pages: add --grid screen";
        return false;
    }
    ManuscriptGeometry::Settings& settings = result.manuscript;
    if (parser.isSet(o.paper)) {
        const auto paper =
            ManuscriptGeometry::paperNamed(parser.value(o.paper).toUpper().toStdString());
        if (!paper) {
            error = "unknown paper " + parser.value(o.paper).toStdString() +
                    ": --paper takes A4, B5, A5 or B4";
            return false;
        }
        settings.paper = *paper;
    }
    if (parser.isSet(o.landscape) && parser.isSet(o.portrait)) {
        error = "--landscape and --portrait exclude each other";
        return false;
    }
    if (parser.isSet(o.portrait)) settings.orientation = ManuscriptGeometry::Orientation::Portrait;
    if (parser.isSet(o.grid) &&
        !parseGrid(parser.value(o.grid), settings.charactersPerColumn, settings.columnsPerPage)) {
        error =
            "--grid takes NxM (characters per column x columns per page), for example "
            "40x30, or screen";
        return false;
    }
    if (parser.isSet(o.fontSize)) {
        bool ok = false;
        const double size = parser.value(o.fontSize).toDouble(&ok);
        if (!ok || !(size > 0) || size > 100) {
            error = "--font-size takes a size in points, for example 10.5";
            return false;
        }
        settings.fontSize = size;
    }
    const ManuscriptGeometry geometry(settings);
    error = geometry.fitMessage();
    return geometry.fits();
}

}  // namespace

std::string CommandLine::usage() {
    return "Usage: tavelo [--no-restore] [FILE...]\n"
           "       tavelo --dump-json FILE [--view WxH] [--zoom PERCENT]\n"
           "       tavelo --render FILE --out IMAGE.png [--view WxH] [--style small|large]\n"
           "              [--position N] [--search WORD]... [--hit-color #RRGGBB] [--scale N]\n"
           "       tavelo --render FILE.txt --out IMAGE.png [--view WxH] [--zoom PERCENT]\n"
           "              [--page N] [--search WORD]... [--hit-color #RRGGBB] [--scale N]\n"
           "       tavelo --pdf FILE --out OUT.pdf [--paper A4|B5|A5|B4] [--landscape|--portrait]\n"
           "              [--grid NxM] [--font-size PT] [--title-page]\n"
           "       tavelo --pdf FILE --out OUT.pdf --grid screen [--style small|large]\n"
           "       tavelo --help | --version\n"
           "\n"
           "--pdf sets manuscript pages: N characters per column, M columns per page, on A4\n"
           "landscape at 40x30 unless told otherwise; --grid screen prints the screen's columns.\n"
           "A prose document's manuscript pages are numbered; --title-page puts its title and\n"
           "author on a page of their own before them.\n"
           "--scale N (1 to 4) draws the --render image at N device pixels per view pixel, as on\n"
           "a high-density screen: the layout stays that of --view, the image is N times as "
           "large.\n"
           "The --render image is of the format its extension names (png, jpg, bmp, ...); a name\n"
           "of no format that can be written is bad usage.\n"
           "Files ending in .tl2 are tl2 pages; any other file (.txt, or a .zip holding one .txt)\n"
           "is prose, set as flowing pages; --format tl2|prose chooses the reader instead.\n"
           "--page N and --zoom PERCENT (25 to 400) go with prose documents.\n";
}

std::optional<CommandLine> CommandLine::parse(const std::vector<std::string>& args,
                                              std::string& error) {
    // Every argument as the text of its bytes: a name that is not UTF-8 keeps them as lone
    // surrogates, and goes on to the core as that text.
    QStringList arguments{QStringLiteral("tavelo")};
    for (const std::string& arg : args)
        arguments << QString::fromStdU16String(PathBytes::fromSystem(arg));

    QCommandLineParser parser;
    parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    const QCommandLineOption help = parser.addHelpOption();
    const QCommandLineOption version = parser.addVersionOption();
    const Options o;
    o.addTo(parser);
    if (!parser.parse(arguments)) {
        error = parser.errorText().toStdString();
        return std::nullopt;
    }

    CommandLine result;
    if (parser.isSet(help)) {
        result.mode = Mode::Help;
        return result;
    }
    if (parser.isSet(version)) {
        result.mode = Mode::Version;
        return result;
    }
    const QStringList oneFile =
        parser.values(o.dumpJson) + parser.values(o.render) + parser.values(o.pdf);
    if (oneFile.size() > 1) {
        error = "--dump-json, --render and --pdf take one file, once";
        return std::nullopt;
    }
    if (!oneFile.isEmpty()) {
        result.mode = parser.isSet(o.render) ? Mode::Render
                      : parser.isSet(o.pdf)  ? Mode::Pdf
                                             : Mode::DumpJson;
        result.file = oneFile.front().toStdU16String();
    }
    for (const QString& file : parser.positionalArguments())
        result.files.push_back(file.toStdU16String());
    result.noRestore = parser.isSet(o.noRestore);

    if (parser.isSet(o.view)) {
        int w = 0, h = 0;
        if (!parseSize(parser.value(o.view), w, h)) {
            error = "--view takes WIDTHxHEIGHT in pixels, for example 449x624";
            return std::nullopt;
        }
        result.viewWidth = w;
        result.viewHeight = h;
    }
    result.out = PathBytes::toSystem(parser.value(o.out).toStdU16String());
    if (parser.isSet(o.style)) {
        const QString style = parser.value(o.style);
        if (style != QStringLiteral("small") && style != QStringLiteral("large")) {
            error = "--style takes small or large";
            return std::nullopt;
        }
        result.style = style == QStringLiteral("large") ? Style::Large : Style::Small;
    }
    if (parser.isSet(o.position) && (!parseInteger(parser.value(o.position), result.position) ||
                                     result.position < 0 || result.position > 32767)) {
        error = "--position takes a scroll position from 0 to 32767";
        return std::nullopt;
    }
    for (const QString& word : parser.values(o.search))
        result.searches.push_back(word.toStdString());
    if (parser.isSet(o.hitColor)) {
        std::uint32_t color = 0;
        if (!parseColor(parser.value(o.hitColor), color)) {
            error = "--hit-color takes a colour as #RRGGBB";
            return std::nullopt;
        }
        result.hitColor = color;
    }

    if (parser.isSet(o.scale) && (!parseInteger(parser.value(o.scale), result.scale) ||
                                  result.scale < 1 || result.scale > 4)) {
        error = "--scale takes device pixels per view pixel, 1 to 4";
        return std::nullopt;
    }

    if (!oneFile.isEmpty() && !result.files.empty()) {
        error = "--dump-json, --render and --pdf take one file";
        return std::nullopt;
    }
    if (anySet(parser, {&o.position, &o.search, &o.hitColor, &o.scale}) &&
        result.mode != Mode::Render) {
        error = "--position, --search, --hit-color and --scale go with --render";
        return std::nullopt;
    }
    if (anySet(parser, {&o.out, &o.style}) && result.mode != Mode::Render &&
        result.mode != Mode::Pdf) {
        error = "--out and --style go with --render or --pdf";
        return std::nullopt;
    }
    if (result.mode == Mode::Render && result.out.empty()) {
        error = "--render needs --out IMAGE.png";
        return std::nullopt;
    }
    if (result.mode == Mode::Pdf && result.out.empty()) {
        error = "--pdf needs --out OUT.pdf";
        return std::nullopt;
    }
    if (result.viewWidth && result.mode != Mode::Render && result.mode != Mode::DumpJson) {
        error = "--view goes with --dump-json or --render";
        return std::nullopt;
    }
    if (result.noRestore && result.mode != Mode::Window) {
        error = "--no-restore goes with the window";
        return std::nullopt;
    }
    if (parser.isSet(o.format)) {
        const QString format = parser.value(o.format);
        if (format != QStringLiteral("tl2") && format != QStringLiteral("prose")) {
            error = "--format takes tl2 or prose";
            return std::nullopt;
        }
        result.format = format == QStringLiteral("tl2") ? Format::Tl2 : Format::Prose;
    }
    if (parser.isSet(o.page)) {
        int page = 0;
        if (!parseInteger(parser.value(o.page), page) || page < 1) {
            error = "--page takes a page number from 1";
            return std::nullopt;
        }
        if (result.mode != Mode::Render) {
            error = "--page goes with --render";
            return std::nullopt;
        }
        result.pageOption = result.page = page;
    }
    if (parser.isSet(o.zoom)) {
        int zoom = 0;
        if (!parseInteger(parser.value(o.zoom), zoom) || zoom < 25 || zoom > 400) {
            error = "--zoom takes a percentage from 25 to 400";
            return std::nullopt;
        }
        if (result.mode == Mode::Window || (result.mode == Mode::Pdf && !parser.isSet(o.grid))) {
            error = "--zoom goes with --dump-json, --render or --pdf --grid screen";
            return std::nullopt;
        }
        result.zoomOption = result.zoom = zoom;
    }
    if (!readManuscript(parser, o, result, error)) return std::nullopt;
    if (parser.isSet(o.titlePage)) {
        if (result.mode != Mode::Pdf || result.screenPages || !result.readsProse()) {
            error = "--title-page goes with --pdf of a prose document in manuscript pages";
            return std::nullopt;
        }
        result.titlePage = true;
    }
    if ((result.pageOption || result.zoomOption) && !result.readsProse()) {
        error = "--page and --zoom go with prose documents";
        return std::nullopt;
    }
    error.clear();
    return result;
}

flow::FlowSettings CommandLine::proseSettings() const {
    flow::FlowSettings settings;
    settings.viewWidth = viewWidth.value_or(kDefaultViewWidth);
    settings.viewHeight = viewHeight.value_or(kDefaultViewHeight);
    settings.zoomPercent = zoom;
    return settings;
}

bool CommandLine::readsProse() const {
    switch (format) {
        case Format::Tl2:
            return false;
        case Format::Prose:
            return true;
        case Format::ByName:
            break;
    }
    return prose::isProseName(PathBytes::toSystem(file));
}

}  // namespace tavelo
