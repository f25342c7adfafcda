#include "shell/print/PrintChoice.h"

#include <QSettings>

namespace tavelo {
namespace {

const QString kGroup = QStringLiteral("ManuscriptPages/");

template <typename Enum>
Enum enumOf(const QSettings& settings, const QString& key, Enum fallback, Enum last) {
    bool ok = false;
    const int value = settings.value(kGroup + key).toInt(&ok);
    if (!ok || value < 0 || value > static_cast<int>(last)) return fallback;
    return static_cast<Enum>(value);
}

int gridValue(const QSettings& settings, const QString& key, int fallback) {
    bool ok = false;
    const int value = settings.value(kGroup + key).toInt(&ok);
    return ok && value >= 1 && value <= 999 ? value : fallback;
}

}  // namespace

ManuscriptGeometry::Settings PrintChoice::settings() const {
    ManuscriptGeometry::Settings result;
    result.paper = paper;
    result.orientation = orientation;
    result.fontSize = fontSize;
    switch (preset) {
        case Preset::Grid40x30:
            break;
        case Preset::Grid30x40:
            result.charactersPerColumn = 30;
            result.columnsPerPage = 40;
            break;
        case Preset::Grid20x20:
            result.charactersPerColumn = 20;
            result.columnsPerPage = 20;
            break;
        case Preset::Custom:
            result.charactersPerColumn = charactersPerColumn;
            result.columnsPerPage = columnsPerPage;
            break;
        case Preset::AsManyAsFit: {
            result.fontSize = fontSize.value_or(kDefaultFontSize);
            const ManuscriptGeometry geometry(result);
            result.charactersPerColumn = geometry.largestCharactersPerColumn();
            result.columnsPerPage = geometry.largestColumnsPerPage();
            break;
        }
    }
    return result;
}

std::optional<DocumentPrinter::Paper> PrintChoice::screenPaper() const {
    const bool landscape = orientation == ManuscriptGeometry::Orientation::Landscape;
    switch (paper) {
        case ManuscriptGeometry::Paper::A4:
            return landscape ? DocumentPrinter::Paper::A4Landscape
                             : DocumentPrinter::Paper::A4Portrait;
        case ManuscriptGeometry::Paper::B5:
            if (!landscape) return DocumentPrinter::Paper::B5;
            break;
        case ManuscriptGeometry::Paper::A5:
            if (!landscape) return DocumentPrinter::Paper::A5;
            break;
        case ManuscriptGeometry::Paper::B4:
            break;
    }
    return std::nullopt;
}

PrintChoice PrintChoice::screen(DocumentPrinter::Paper paper) {
    PrintChoice choice;
    choice.kind = Kind::Screen;
    choice.orientation = ManuscriptGeometry::Orientation::Portrait;
    switch (paper) {
        case DocumentPrinter::Paper::A4Landscape:
            choice.orientation = ManuscriptGeometry::Orientation::Landscape;
            break;
        case DocumentPrinter::Paper::A4Portrait:
            break;
        case DocumentPrinter::Paper::B5:
            choice.paper = ManuscriptGeometry::Paper::B5;
            break;
        case DocumentPrinter::Paper::A5:
            choice.paper = ManuscriptGeometry::Paper::A5;
            break;
    }
    return choice;
}

PrintChoice PrintChoice::load(const QSettings& settings) {
    PrintChoice choice;
    choice.kind = enumOf(settings, QStringLiteral("Kind"), choice.kind, Kind::Screen);
    choice.preset = enumOf(settings, QStringLiteral("Preset"), choice.preset, Preset::Custom);
    choice.paper =
        enumOf(settings, QStringLiteral("Paper"), choice.paper, ManuscriptGeometry::Paper::B4);
    choice.orientation = enumOf(settings, QStringLiteral("Orientation"), choice.orientation,
                                ManuscriptGeometry::Orientation::Portrait);
    choice.charactersPerColumn =
        gridValue(settings, QStringLiteral("CharactersPerColumn"), choice.charactersPerColumn);
    choice.columnsPerPage =
        gridValue(settings, QStringLiteral("ColumnsPerPage"), choice.columnsPerPage);
    bool ok = false;
    const double size = settings.value(kGroup + QStringLiteral("FontSize")).toDouble(&ok);
    if (ok && size > 0 && size <= 100) choice.fontSize = size;
    choice.title = settings.value(kGroup + QStringLiteral("Title")).toBool();
    return choice;
}

void PrintChoice::save(QSettings& settings) const {
    settings.setValue(kGroup + QStringLiteral("Kind"), static_cast<int>(kind));
    settings.setValue(kGroup + QStringLiteral("Preset"), static_cast<int>(preset));
    settings.setValue(kGroup + QStringLiteral("Paper"), static_cast<int>(paper));
    settings.setValue(kGroup + QStringLiteral("Orientation"), static_cast<int>(orientation));
    settings.setValue(kGroup + QStringLiteral("CharactersPerColumn"), charactersPerColumn);
    settings.setValue(kGroup + QStringLiteral("ColumnsPerPage"), columnsPerPage);
    if (fontSize)
        settings.setValue(kGroup + QStringLiteral("FontSize"), *fontSize);
    else
        settings.remove(kGroup + QStringLiteral("FontSize"));
    settings.setValue(kGroup + QStringLiteral("Title"), title);
}

}  // namespace tavelo
