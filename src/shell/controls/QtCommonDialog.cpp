#include "shell/controls/QtCommonDialog.h"

#include <QApplication>
#include <QColorDialog>

#include "shell/controls/ClassicColor.h"
#include "shell/controls/OpenFileDialog.h"

namespace tavelo {

QStringList QtCommonDialog::nameFilters(const String& filter) {
    const QStringList parts = QString::fromStdU16String(filter).split(u'|');
    QStringList result;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& description = parts[i];
        QString patterns = parts[i + 1].trimmed();
        if (patterns.isEmpty()) continue;
        patterns.replace(u';', u' ');
        // Qt reads the patterns from the parentheses at the end of the text.
        const QString suffix = QStringLiteral(" (") + patterns + QStringLiteral(")");
        result.push_back(description.endsWith(QStringLiteral("(") + patterns + QStringLiteral(")"))
                             ? description
                             : description + suffix);
    }
    return result;
}

std::optional<String> QtCommonDialog::askOpenFile() {
    OpenFileDialog dialog(QApplication::activeWindow());
    dialog.setWindowTitle(QString::fromStdU16String(DialogTitle()));
    dialog.setMustExist((Flags() & cdlOFNFileMustExist) != 0);
    const QStringList filters = nameFilters(Filter());
    if (!filters.isEmpty()) dialog.setNameFilters(filters);
    // The folder chosen from last time, or the working folder.
    dialog.setPath(FileName());
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.chosenPath();
}

std::optional<Long> QtCommonDialog::askColor() {
    const QColor initial =
        (Flags() & cdlCCRGBInit) != 0 ? colorFromLong(Color()) : QColor(Qt::black);
    const QColor chosen = QColorDialog::getColor(initial, QApplication::activeWindow());
    if (!chosen.isValid()) return std::nullopt;
    return longFromColor(chosen);
}

}  // namespace tavelo
