#include "CBufRubiRetu.h"

#include <algorithm>

#include "common/Error.h"

namespace tavelo {
namespace {

constexpr char16_t kFullSpace = u'　';

}  // namespace

void CBufRubiRetu::InitializeBufRubiRetu() {
    m_RubiRetu.clear();
    m_RubiRetu.emplace_back();
}

RubiInfo& CBufRubiRetu::lastRow() {
    if (m_RubiRetu.empty()) throw Error::subscriptOutOfRange("CBufRubiRetu.m_RubiRetu");
    return m_RubiRetu.back();
}

void CBufRubiRetu::AddBufRubiRetu() {
    if (m_RubiRetu.empty()) throw Error::subscriptOutOfRange("CBufRubiRetu.m_RubiRetu");
    m_RubiRetu.emplace_back();
}

void CBufRubiRetu::AddChar(const String& vChar, Integer vIsKanjiRubi) {
    RubiInfo& row = lastRow();
    row.Rubi += vChar;
    // The flag goes to the slot numbered by the new length; beyond 120 this fails after the
    // characters have been appended.
    row.IsKanjiRubi.at(static_cast<long>(row.Rubi.size())) = vIsKanjiRubi;
}

String CBufRubiRetu::Rubi() const {
    if (m_RubiRetu.empty()) throw Error::subscriptOutOfRange("CBufRubiRetu.m_RubiRetu");
    std::size_t longest = 0;
    for (const RubiInfo& row : m_RubiRetu) longest = std::max(longest, row.Rubi.size());
    String merged(longest, kFullSpace);
    for (std::size_t k = 0; k < longest; ++k) {
        for (const RubiInfo& row : m_RubiRetu) {
            if (k < row.Rubi.size() && row.Rubi[k] != kFullSpace) {
                merged[k] = row.Rubi[k];
                break;
            }
        }
    }
    return merged;
}

std::array<Integer, RubiInfo::kMaxSlots> CBufRubiRetu::MergedKanjiRubi() const {
    if (m_RubiRetu.empty()) throw Error::subscriptOutOfRange("CBufRubiRetu.m_RubiRetu");
    std::array<Integer, RubiInfo::kMaxSlots> merged{};
    for (const RubiInfo& row : m_RubiRetu) {
        for (int k = 1; k <= RubiInfo::kMaxSlots; ++k) {
            Integer& flag = merged[static_cast<std::size_t>(k - 1)];
            if (flag != kTrueFlag) flag = row.IsKanjiRubi.at(k);
        }
    }
    return merged;
}

Integer CBufRubiRetu::IsKanjiRubi(Integer vDan) {
    const auto merged = MergedKanjiRubi();
    for (int k = 1; k <= RubiInfo::kMaxSlots; ++k)
        m_IsKanjiRubi.at(k) = merged[static_cast<std::size_t>(k - 1)];
    return m_IsKanjiRubi.at(vDan);
}

void CBufRubiRetu::IsKanjiRubi(Integer vDan, Integer vKanjiRubi) {
    lastRow().IsKanjiRubi.at(vDan) = vKanjiRubi;
}

void CBufRubiRetu::ClearRubiInfo() {
    m_IsKanjiRubi.fillDefault();
}

}  // namespace tavelo
