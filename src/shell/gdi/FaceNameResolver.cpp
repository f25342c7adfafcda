#include "shell/gdi/FaceNameResolver.h"

#include <array>

namespace tavelo {
namespace {

struct SystemFace {
    const char16_t* name;
    const char* candidates;  // installed families to try, in order, separated by '|'
};

// The Japanese system faces that documents name, and what stands in for them here.
constexpr std::array<SystemFace, 8> kSystemFaces{{
    {u"ＭＳ 明朝", "IPAMincho|Noto Serif CJK JP"},
    {u"MS Mincho", "IPAMincho|Noto Serif CJK JP"},
    {u"ＭＳ Ｐ明朝", "IPAPMincho|IPAMincho|Noto Serif CJK JP"},
    {u"MS PMincho", "IPAPMincho|IPAMincho|Noto Serif CJK JP"},
    {u"ＭＳ ゴシック", "IPAGothic|Noto Sans CJK JP"},
    {u"MS Gothic", "IPAGothic|Noto Sans CJK JP"},
    {u"ＭＳ Ｐゴシック", "IPAPGothic|IPAGothic|Noto Sans CJK JP"},
    {u"MS PGothic", "IPAPGothic|IPAGothic|Noto Sans CJK JP"},
}};

QString fold(const QString& name) {
    return name.toCaseFolded();
}

QStringList candidatesOf(const char* list) {
    return QString::fromLatin1(list).split(QLatin1Char('|'));
}

}  // namespace

FaceNameResolver::FaceNameResolver(const QStringList& installedFamilies) {
    for (const QString& family : installedFamilies) {
        familiesByFoldedName_.insert(fold(family), family);
        // Qt names a family found at several foundries "Name [foundry]"; GDI knows "Name".
        const qsizetype bracket = family.indexOf(QLatin1String(" ["));
        if (bracket > 0 && family.endsWith(QLatin1Char(']'))) {
            const QString plain = fold(family.left(bracket));
            if (!familiesByFoldedName_.contains(plain)) familiesByFoldedName_.insert(plain, family);
        }
    }
    mincho_ = firstInstalled(candidatesOf(kSystemFaces[0].candidates));
}

QString FaceNameResolver::firstInstalled(const QStringList& candidates) const {
    for (const QString& candidate : candidates) {
        const auto found = familiesByFoldedName_.constFind(fold(candidate));
        if (found != familiesByFoldedName_.constEnd()) return found.value();
    }
    return {};
}

FaceNameResolver::Resolution FaceNameResolver::resolve(const String& faceName) const {
    const bool vertical = !faceName.empty() && faceName.front() == u'@';
    const QString base = QString::fromStdU16String(vertical ? faceName.substr(1) : faceName);
    const QString folded = fold(base);

    if (!base.isEmpty()) {
        const auto found = familiesByFoldedName_.constFind(folded);
        if (found != familiesByFoldedName_.constEnd()) return {found.value(), vertical, false};
    }
    for (const SystemFace& face : kSystemFaces) {
        if (fold(QString::fromUtf16(face.name)) != folded) continue;
        const QString family = firstInstalled(candidatesOf(face.candidates));
        if (!family.isEmpty()) return {family, vertical, false};
        break;
    }
    return {mincho_, true, true};
}

}  // namespace tavelo
