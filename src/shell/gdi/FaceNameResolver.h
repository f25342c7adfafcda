#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include "common/ClassicTypes.h"

namespace tavelo {

// Which installed family draws a GDI face name, and whether it is drawn vertically.
//
// "@" before a name selects the family's vertical forms (upright CJK, vertical glyphs).
// An installed family resolves to itself, compared without regard to case as GDI does, with
// or without Qt's " [foundry]" suffix. The Japanese system faces ("ＭＳ 明朝", "MS Mincho",
// "ＭＳ Ｐ明朝", the Gothic ones), when not installed themselves, resolve to the installed
// Mincho and Gothic (IPA first, Noto CJK JP as a fallback). An empty or unknown face is substituted
// by the vertical Mincho, "@" or not: a face that is missing must not turn the text on its side.
class FaceNameResolver {
public:
    struct Resolution {
        QString family;  // empty only when no Mincho is installed at all: the default font
        bool vertical = true;
        bool substituted = false;  // the face asked for is not installed
    };

    explicit FaceNameResolver(const QStringList& installedFamilies);

    [[nodiscard]] Resolution resolve(const String& faceName) const;

private:
    [[nodiscard]] QString firstInstalled(const QStringList& candidates) const;

    QHash<QString, QString> familiesByFoldedName_;  // case-folded name -> name for QFont
    QString mincho_;
};

}  // namespace tavelo
