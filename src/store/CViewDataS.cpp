#include "CViewDataS.h"

#include <locale>
#include <stdexcept>

#include "CViewData.h"
#include "common/CheckedArithmetic.h"
#include "common/Error.h"
#include "layout/CCalcPointXY.h"
#include "layout/CReversalChar.h"
#include "reader/CFileChangeTlData.h"

namespace tavelo {
namespace {

constexpr const char* kItem = "CTasks::Item";
constexpr const char* kRemove = "CTasks::Remove";

Error keyOrIndexInvalid(const char* source) {
    return Error(Error::kCollectionKeyInvalid, source, "Collection key or index is invalid");
}

// Keys match as the platform's collection matches them: letter case aside, in every script
// the C library knows the cases of.
bool sameKey(const String& a, const String& b) {
    if (a.size() != b.size()) return false;
    static const std::locale unicode = [] {
        try {
            return std::locale("C.UTF-8");
        } catch (const std::runtime_error&) {
            return std::locale::classic();
        }
    }();
    const auto& cases = std::use_facet<std::ctype<wchar_t>>(unicode);
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (cases.tolower(static_cast<wchar_t>(a[i])) != cases.tolower(static_cast<wchar_t>(b[i])))
            return false;
    }
    return true;
}

}  // namespace

std::shared_ptr<CViewData> CViewDataS::build(const String& vID, CFileChangeTlData& vobFChange,
                                             CCalcPointXY& vobCalcP, CReversalChar& vobReverse) {
    CFileChangeTlData& reader = vobFChange;
    const CCalcPointXY& layout = vobCalcP;
    auto record = std::make_shared<CViewData>();
    CViewData& view = *record;

    // The copy runs in this fixed order; the first failing step ends Add before the record
    // reaches the list.
    view.ID(vID);
    view.GyouArraySize(reader.GyouArraySize());
    view.MaxBunDan(reader.MaxBunDan());
    view.Plusminus1MaxLenDan(reader.Plusminus1MaxLenDan());
    const long lines = reader.GyouArraySize();
    for (long i = 1; i <= lines; ++i) {
        view.Bun(i, reader.Bun(i));
        view.LenBunDan(i, reader.LenBunDan(i));
    }
    view.FileName(reader.FileName());
    for (long j = 1; j <= lines; ++j)
        for (long k = 1; k <= reader.LenBunDan(j); ++k) view.FontData(j, k, reader.FontData(j, k));
    view.FullPathName(reader.FullPathName());
    for (long l = 1; l <= lines; ++l) {
        view.Rubi(l, reader.Rubi(l));
        view.LenRubiDan(l, reader.LenRubiDan(l));
    }
    for (long l = 1; l <= lines; ++l)
        for (long m = 1; m <= reader.LenRubiDan(l); ++m)
            view.IsKanjiRubi(l, m, reader.IsKanjiRubi(l, m) != kFalseFlag);
    view.takeLayout(layout);
    for (long K = 1; K <= lines; ++K)
        for (long M = 1; M <= reader.LenBunDan(K); ++M)
            view.ReversalChar(K, M, vobReverse.ReversalChar(K, M));
    return record;
}

CViewData& CViewDataS::Add(const String& vID, CFileChangeTlData& vobFChange, CCalcPointXY& vobCalcP,
                           CReversalChar& vobReverse) {
    auto record = build(vID, vobFChange, vobCalcP, vobReverse);
    if (find(vID).has_value())
        throw Error(Error::kDuplicateKey, "CViewDataS.Add",
                    "This key is already associated with an element of this collection");
    records_.push_back(std::move(record));
    return *records_.back();
}

CViewData& CViewDataS::Replace(long vPosition, const String& vID, CFileChangeTlData& vobFChange,
                               CCalcPointXY& vobCalcP, CReversalChar& vobReverse) {
    const std::size_t index = indexOf(vPosition, kItem);
    auto record = build(vID, vobFChange, vobCalcP, vobReverse);
    if (const auto holder = find(vID); holder.has_value() && *holder != index)
        throw Error(Error::kDuplicateKey, "CViewDataS.Replace",
                    "This key is already associated with an element of this collection");
    records_[index] = std::move(record);
    return *records_[index];
}

void CViewDataS::Remove(long vKey) {
    records_.erase(records_.begin() + static_cast<long>(indexOf(vKey, kRemove)));
}

void CViewDataS::Remove(const String& vKey) {
    records_.erase(records_.begin() + static_cast<long>(indexOf(vKey, kRemove)));
}

CViewData& CViewDataS::Item(long vKey) {
    return *records_[indexOf(vKey, kItem)];
}
CViewData& CViewDataS::Item(const String& vKey) {
    return *records_[indexOf(vKey, kItem)];
}
const CViewData& CViewDataS::Item(long vKey) const {
    return *records_[indexOf(vKey, kItem)];
}
const CViewData& CViewDataS::Item(const String& vKey) const {
    return *records_[indexOf(vKey, kItem)];
}

Long CViewDataS::Count() const {
    return checked::toLong(static_cast<std::int64_t>(records_.size()), "CViewDataS.Count");
}

Integer CViewDataS::KeyItemNumber(const String& vID) const {
    for (std::size_t i = 0; i < records_.size(); ++i) {
        // The position is counted in an Integer.
        const Integer position =
            checked::toInteger(static_cast<std::int64_t>(i) + 1, "CViewDataS.KeyItemNumber");
        if (records_[i]->ID() == vID) return position;
    }
    return 0;
}

std::size_t CViewDataS::indexOf(long position, const char* source) const {
    if (position < 1 || static_cast<std::size_t>(position) > records_.size())
        throw keyOrIndexInvalid(source);
    return static_cast<std::size_t>(position - 1);
}

std::size_t CViewDataS::indexOf(const String& key, const char* source) const {
    const auto index = find(key);
    if (!index) throw keyOrIndexInvalid(source);
    return *index;
}

std::optional<std::size_t> CViewDataS::find(const String& key) const {
    for (std::size_t i = 0; i < records_.size(); ++i)
        if (sameKey(records_[i]->ID(), key)) return i;
    return std::nullopt;
}

}  // namespace tavelo
