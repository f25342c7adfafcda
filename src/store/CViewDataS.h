#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <vector>

#include "common/ClassicTypes.h"

namespace tavelo {

class CCalcPointXY;
class CFileChangeTlData;
class CReversalChar;
class CViewData;

// The open documents: an ordered list of records at positions 1..Count, each under a unique
// key, its ID. Adding appends; removing moves the later records down one position. A record
// is found by position or by key, keys compared without regard to letter case. Records are
// shared, so a caller may keep one after it left the list.
//
// Contract: Add is all or nothing; when a step fails, or the key is taken, it throws and the
// list is unchanged. Item and Remove with a position outside 1..Count or an unknown key throw
// Error 0x8004020A (source "CTasks::Item" or "CTasks::Remove").
class CViewDataS {
public:
    using Records = std::vector<std::shared_ptr<CViewData>>;

    // Builds a record under vID from the reader, the layout and the highlight table, and
    // appends it.
    CViewData& Add(const String& vID, CFileChangeTlData& vobFChange, CCalcPointXY& vobCalcP,
                   CReversalChar& vobReverse);
    // Builds a record as Add does and puts it in place of record number vPosition, keeping
    // the list's order; vID may be the replaced record's own ID. All or nothing like Add;
    // a position outside 1..Count throws Error 0x8004020A (source "CTasks::Item").
    CViewData& Replace(long vPosition, const String& vID, CFileChangeTlData& vobFChange,
                       CCalcPointXY& vobCalcP, CReversalChar& vobReverse);
    void Remove(long vKey);
    void Remove(const String& vKey);
    [[nodiscard]] CViewData& Item(long vKey);
    [[nodiscard]] CViewData& Item(const String& vKey);
    [[nodiscard]] const CViewData& Item(long vKey) const;
    [[nodiscard]] const CViewData& Item(const String& vKey) const;
    [[nodiscard]] Long Count() const;
    void Clear() { records_.clear(); }
    // The records in list order.
    [[nodiscard]] Records::const_iterator begin() const { return records_.begin(); }
    [[nodiscard]] Records::const_iterator end() const { return records_.end(); }
    // The position of the first record whose ID equals vID exactly (letter case counts), or 0.
    [[nodiscard]] Integer KeyItemNumber(const String& vID) const;

private:
    [[nodiscard]] static std::shared_ptr<CViewData> build(const String& vID,
                                                          CFileChangeTlData& vobFChange,
                                                          CCalcPointXY& vobCalcP,
                                                          CReversalChar& vobReverse);
    [[nodiscard]] std::size_t indexOf(long position, const char* source) const;
    [[nodiscard]] std::size_t indexOf(const String& key, const char* source) const;
    [[nodiscard]] std::optional<std::size_t> find(const String& key) const;

    Records records_;
};

}  // namespace tavelo
