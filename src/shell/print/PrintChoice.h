#pragma once

#include <optional>

#include "shell/print/DocumentPrinter.h"
#include "view/ManuscriptGeometry.h"

class QSettings;

namespace tavelo {

// What the page dialog chose last: manuscript pages (a preset or custom grid, or as many
// characters and columns as fit at a chosen size) on a paper, or the screen's columns as they
// are shown ("画面のとおり"). Kept in the program's settings between runs.
struct PrintChoice {
    enum class Kind { Manuscript, Screen };
    enum class Preset { Grid40x30, Grid30x40, Grid20x20, AsManyAsFit, Custom };

    static constexpr double kDefaultFontSize = 10.5;

    Kind kind = Kind::Manuscript;
    Preset preset = Preset::Grid40x30;
    ManuscriptGeometry::Paper paper = ManuscriptGeometry::Paper::A4;
    ManuscriptGeometry::Orientation orientation = ManuscriptGeometry::Orientation::Landscape;
    int charactersPerColumn = 40;  // of the custom grid
    int columnsPerPage = 30;
    std::optional<double> fontSize;  // points; derived from the grid when not given
    bool title = false;              // the document's name at the head of every page

    // The manuscript settings the choice stands for: the preset's grid, or for "as many as
    // fit" the largest grid at the chosen size (kDefaultFontSize when none is chosen).
    [[nodiscard]] ManuscriptGeometry::Settings settings() const;
    // The screen-page paper of the same paper and orientation; nullopt for the papers the
    // screen pages do not offer (B4, B5 and A5 landscape).
    [[nodiscard]] std::optional<DocumentPrinter::Paper> screenPaper() const;

    // The screen's pages on a paper of theirs.
    [[nodiscard]] static PrintChoice screen(DocumentPrinter::Paper paper);

    [[nodiscard]] static PrintChoice load(const QSettings& settings);
    void save(QSettings& settings) const;

    friend bool operator==(const PrintChoice&, const PrintChoice&) = default;
};

}  // namespace tavelo
