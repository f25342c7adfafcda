#include "CFileChangeTlData.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "CChangeHiragana.h"
#include "CJudgeChrElement.h"
#include "common/CheckedArithmetic.h"
#include "common/CodePage932.h"
#include "common/Error.h"
#include "common/MessageSink.h"
#include "common/PathBytes.h"
#include "common/Rounding.h"

namespace tavelo {
namespace {

constexpr char16_t kFullSpace = u'　';
const String kBodyFont = u"@ＭＳ 明朝";
constexpr const char* kSource = "CFileChangeTlData.BuffChangeTl2Data";
constexpr const char* kBracketSource = "CFileChangeTlData.KakkoFlag";

CFileChangeTlData::ReadLimit limitOf(const Error& error) {
    using Limit = CFileChangeTlData::ReadLimit;
    const std::string& source = error.source();
    if (source == kSource) return Limit::FileSize;
    if (source == CBunInfoPage::kLinesSource) return Limit::Lines;
    if (source == CBunInfoPage::kCellsSource) return Limit::Cells;
    if (source == CBunInfoPage::kTypefaceCellSource) return Limit::TypefaceCell;
    if (source == CBunInfoPage::kTypefaceLineSource) return Limit::TypefaceBeforeFirstLine;
    if (source == RubiInfo::kSlotsSource) return Limit::RubySlots;
    if (source == kBracketSource) return Limit::Bracket;
    return Limit::Other;
}

}  // namespace

// The byte-by-byte parse: the state of one run of BuffChangeTl2Data and its rules.
class CFileChangeTlData::Parser {
public:
    explicit Parser(CFileChangeTlData& reader)
        : reader_(reader), page_(*reader.page_), ruby_(*reader.rubiBuffer_) {}

    void handle(Byte b);
    void finish();

private:
    [[nodiscard]] bool isFree() const { return !(IsKanjiLead && IsZenkakuLead); }
    void completeDoubleByte(const String& c, Integer bracketFlag);
    void lineEnd();
    void endBodyLine();
    void flushHankana();
    void flushZenSpaceToRuby();
    void flushHanSpaceToRuby();

    CFileChangeTlData& reader_;
    CBunInfoPage& page_;
    CBufRubiRetu& ruby_;
    CJudgeChrElement judge_;

    bool IsKanjiLead = false;
    Byte KanjiBytes[2] = {0, 0};
    bool IsZenkakuLead = false;
    Byte ZenkakuBytes[2] = {0, 0};
    bool IsRubiLine = false;
    bool IsBunLine = false;
    bool IsSyotaiLine = false;
    bool IsRubiWaiting = false;
    bool IsKakko = false;
    bool IsCRSeen = false;
    bool IsSyotaiName = false;
    String ZenSpace;
    String HanSpace;
    String Hankana;
    String SyotaiName;
    Single SyotaiLen = 0;
    Single SpaceLen = 0;
    Single SyotaiPos = 0;
    String KakkoStr;
    Table<Integer> KakkoFlag{kBracketSource, 1, 4};
};

void CFileChangeTlData::Parser::flushHankana() {
    if (Hankana.empty()) return;
    const String converted = reader_.ChangeHankana(Hankana);
    Hankana.clear();
    for (char16_t c : converted) ruby_.AddChar(String(1, c), kFalseFlag);
}

void CFileChangeTlData::Parser::flushZenSpaceToRuby() {
    for (std::size_t i = 0; i < ZenSpace.size(); ++i) {
        ruby_.AddChar(String(1, kFullSpace), kFalseFlag);
        ruby_.AddChar(String(1, kFullSpace), kFalseFlag);
    }
    ZenSpace.clear();
}

void CFileChangeTlData::Parser::flushHanSpaceToRuby() {
    for (std::size_t i = 0; i < HanSpace.size(); ++i)
        ruby_.AddChar(String(1, kFullSpace), kFalseFlag);
    HanSpace.clear();
}

// A double-byte character other than "　": into the open bracket group, or the next cell of
// the body line with the spaces held back in front of it.
void CFileChangeTlData::Parser::completeDoubleByte(const String& c, Integer bracketFlag) {
    if (IsKakko) {
        flushZenSpaceToRuby();
        KakkoStr += c;
        KakkoStr.push_back(kFullSpace);
        KakkoFlag.at(2) = bracketFlag;
        return;
    }
    IsBunLine = true;
    if (!ZenSpace.empty()) {
        page_.AddString(ZenSpace);
        ZenSpace.clear();
    }
    page_.AddChar(c, kBodyFont);
}

void CFileChangeTlData::Parser::handle(Byte b) {
    if (judge_.IsZenkakuSecondByte(b) && IsKanjiLead) {
        KanjiBytes[1] = b;
        IsKanjiLead = false;
        completeDoubleByte(CodePage932::decodePair(KanjiBytes[0], KanjiBytes[1]), kTrueFlag);
    } else if (judge_.IsZenkakuSecondByte(b) && IsZenkakuLead) {
        ZenkakuBytes[1] = b;
        IsZenkakuLead = false;
        const String c = CodePage932::decodePair(ZenkakuBytes[0], ZenkakuBytes[1]);
        if (c != String(1, kFullSpace)) {
            completeDoubleByte(c, kFalseFlag);
        } else {
            ZenSpace += c;
            if (IsRubiLine) {
                flushHankana();
                flushZenSpaceToRuby();
            } else if (IsBunLine) {
                page_.AddString(ZenSpace);
                ZenSpace.clear();
            }
        }
    } else if (judge_.IsHalfSpace(b) && isFree()) {
        if (IsSyotaiName) {
            SyotaiName.push_back(u' ');
        } else if (IsRubiLine) {
            flushHankana();
            ruby_.AddChar(u" ", kFalseFlag);
        } else {
            HanSpace.push_back(u' ');
        }
    } else if ((judge_.IsHankakuKatakanaDokuten(b) || judge_.IsLowLine(b)) && isFree()) {
        IsRubiLine = true;
        flushZenSpaceToRuby();
        flushHanSpaceToRuby();
        Hankana.push_back(CodePage932::decodeSingle(b));
    } else if (judge_.IsAlNum(b) && isFree()) {
        IsSyotaiLine = true;
        IsSyotaiName = true;
        SyotaiName.push_back(CodePage932::decodeSingle(b));
        if (!ZenSpace.empty() || !HanSpace.empty()) {
            SpaceLen = rounding::toSingle(static_cast<double>(HanSpace.size()) / 2.0 +
                                          static_cast<double>(ZenSpace.size()));
            ZenSpace.clear();
            HanSpace.clear();
        }
        SyotaiLen = rounding::toSingle(double{SyotaiLen} + 0.5);
    } else if (judge_.IsHankakuMinus(b) && isFree()) {
        IsSyotaiLine = true;
        SyotaiName.push_back(u'-');
        SyotaiLen = rounding::toSingle(double{SyotaiLen} + 0.5);
    } else if (judge_.IsSemicolon(b) && isFree()) {
        IsSyotaiLine = true;
        if (SyotaiName.empty()) {
            reader_.messages_.showMessage(u"ﾌｫﾝﾄ情報がありません！");
        } else {
            SyotaiLen = rounding::toSingle(double{SyotaiLen} + 0.5);
            SyotaiPos =
                rounding::toSingle(double{SpaceLen} + double{SyotaiPos} + double{SyotaiLen});
            const Single p = rounding::toSingle(double{SyotaiPos} - double{SyotaiLen});
            SpaceLen = 0;
            page_.tl2AddSyotaiInfo(p, SyotaiName);
            SyotaiLen = 0;
            SyotaiName.clear();
            IsSyotaiName = false;
        }
    } else if (judge_.IsHankakuStartKakuParen(b) && isFree()) {
        IsRubiLine = true;
        IsKakko = true;
        flushHankana();
        flushZenSpaceToRuby();
        flushHanSpaceToRuby();
        KakkoStr = String(1, kFullSpace);
    } else if (judge_.IsHankakuEndKakuParen(b) && isFree()) {
        if (IsKakko) {
            IsKakko = false;
            KakkoStr.push_back(kFullSpace);
            const long slots = static_cast<long>(KakkoStr.size());
            for (long k = 1; k <= slots; ++k) {
                // A group longer than four slots fails at the fifth flag.
                Integer& flag = KakkoFlag.at(k);
                ruby_.AddChar(String(1, KakkoStr[static_cast<std::size_t>(k - 1)]), flag);
                flag = kFalseFlag;
            }
            KakkoStr.clear();
        } else {
            reader_.messages_.showMessage(u"ルビにする漢字がありません。");
        }
    } else if (judge_.IsCR(b) && isFree()) {
        IsCRSeen = true;
    } else if (judge_.IsFL(b) && isFree() && IsCRSeen) {
        IsCRSeen = false;
        lineEnd();
    } else if (judge_.IsKanjiFirstByte(b)) {
        IsKanjiLead = true;
        KanjiBytes[0] = b;
    } else if (judge_.IsZenkakuNotKanjiFirstByte(b)) {
        IsZenkakuLead = true;
        ZenkakuBytes[0] = b;
    }
}

// A body line takes the waiting ruby rows and ends its page line.
void CFileChangeTlData::Parser::endBodyLine() {
    IsBunLine = false;
    auto& rubi = reader_.m_Rubi;
    if (IsRubiWaiting) {
        RubiInfo& element = rubi.back();
        element.Rubi = ruby_.Rubi();
        const auto flags = ruby_.MergedKanjiRubi();
        for (int k = 1; k <= RubiInfo::kMaxSlots; ++k)
            element.IsKanjiRubi.at(k) = flags[static_cast<std::size_t>(k - 1)];
        ruby_.InitializeBufRubiRetu();
        IsRubiWaiting = false;
    }
    rubi.emplace_back();
    page_.Kaigyou();
}

void CFileChangeTlData::Parser::lineEnd() {
    if (IsRubiLine) {
        flushZenSpaceToRuby();
        flushHankana();
        ruby_.AddBufRubiRetu();
        IsRubiLine = false;
        IsRubiWaiting = true;
    } else if (IsBunLine) {
        endBodyLine();
    } else if (IsSyotaiLine) {
        IsSyotaiLine = false;
        ZenSpace.clear();
        HanSpace.clear();
        SyotaiPos = 0;
    } else {
        page_.Kaigyou();
        reader_.m_Rubi.emplace_back();
    }
}

// The format means the last line always to end; a body line left open by a final line feed
// without its carriage return is ended as CR LF would end it.
void CFileChangeTlData::Parser::finish() {
    if (IsBunLine) endBodyLine();
}

CFileChangeTlData::CFileChangeTlData(MessageSink& messages)
    : messages_(messages),
      page_(std::make_unique<CBunInfoPage>(messages)),
      rubiBuffer_(std::make_unique<CBufRubiRetu>()) {}

CFileChangeTlData::~CFileChangeTlData() = default;

Integer CFileChangeTlData::GyouArraySize() const {
    return page_->Page1BunGyou();
}
Integer CFileChangeTlData::MaxBunDan() const {
    return page_->MaxBunDan();
}
const String& CFileChangeTlData::Bun(Integer vGyou) const {
    return page_->Bun(vGyou);
}

const String& CFileChangeTlData::FontData(Integer vGyou, int vDan) const {
    return page_->FontData(vGyou, checked::toByte(vDan, "CFileChangeTlData.FontData"));
}

Integer CFileChangeTlData::Plusminus1MaxLenDan() {
    return page_->Plusminus1MaxLenDan();
}

void CFileChangeTlData::FileOpenBuff() {
    const std::filesystem::path path(PathBytes::toSystem(fullPathName_));
    std::error_code ec;
    const bool exists = std::filesystem::exists(path, ec);
    std::ifstream file;
    if (exists && !std::filesystem::is_directory(path, ec)) file.open(path, std::ios::binary);
    std::vector<std::uint8_t> bytes;
    bool readFailed = false;
    if (file.is_open()) {
        // A file that opens may still refuse its bytes (a device error, a special file): the
        // stream buffer then throws instead of setting the stream's state.
        try {
            bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        } catch (const std::ios_base::failure&) {
            readFailed = true;
        }
    }
    if (!file.is_open() || file.bad() || readFailed) {
        const String shown = PathBytes::display(fullPathName_);
        if (!exists && PathBytes::lostBytes(fullPathName_))
            messages_.showMessage(shown + u" ファイル名に表せない文字があるため、開けません。");
        else
            messages_.showMessage(shown + u" ファイルを開けません。");
        if (!exists)
            throw Error(Error::kFileNotFound, "CFileChangeTlData.FileOpenBuff", "File not found");
        throw Error(Error::kPathFileAccess, "CFileChangeTlData.FileOpenBuff",
                    "Path/File access error");
    }
    LoadBytes(std::move(bytes));
}

void CFileChangeTlData::LoadBytes(std::vector<std::uint8_t> bytes) {
    m_Buff = std::move(bytes);
    conversion_ = InputConversion::apply(m_Buff);
    // An empty file stays empty: it is an empty document.
    if (!m_Buff.empty() && m_Buff.back() != 10) {
        m_Buff.push_back(13);
        m_Buff.push_back(10);
    }
    hasBareLineFeeds_ = false;
    for (std::size_t i = 0; i < m_Buff.size(); ++i) {
        if (m_Buff[i] == 10 && (i == 0 || m_Buff[i - 1] != 13)) {
            hasBareLineFeeds_ = true;
            break;
        }
    }
}

void CFileChangeTlData::BuffChangeTl2Data() {
    page_->InitializeBun();
    rubiBuffer_->InitializeBufRubiRetu();
    m_Rubi.clear();
    m_Rubi.emplace_back();
    failureLine_ = 0;
    failedLimit_ = ReadLimit::None;

    Parser parser(*this);
    long line = 1;
    try {
        // The byte index is a 16-bit counter: a buffer reaching index 32,767 cannot be walked.
        if (m_Buff.size() > kMaxBytes + 1) throw Error::overflow(kSource);
        for (std::size_t i = 0; i < m_Buff.size(); ++i) {
            parser.handle(m_Buff[i]);
            // The counter fails after the byte at index 32,767 has been handled: that byte
            // stands on the file's last line, not on the one after it.
            if (i == kMaxBytes) throw Error::overflow(kSource);
            if (m_Buff[i] == 10) ++line;
        }
        parser.finish();
    } catch (const Error& error) {
        failedLimit_ = limitOf(error);
        // A buffer refused before its first byte was read has no line to name.
        failureLine_ = m_Buff.size() > kMaxBytes + 1 ? 0 : line;
        throw;
    }
}

const RubiInfo& CFileChangeTlData::rubiLine(long vGyou) const {
    if (vGyou < 1 || vGyou > static_cast<long>(m_Rubi.size()))
        throw Error::subscriptOutOfRange("CFileChangeTlData.m_Rubi");
    return m_Rubi[static_cast<std::size_t>(vGyou - 1)];
}

const String& CFileChangeTlData::Rubi(Integer vGyou) const {
    return rubiLine(vGyou).Rubi;
}

Integer CFileChangeTlData::LenBunDan(Integer vGyou) const {
    return checked::toInteger(static_cast<std::int64_t>(page_->Bun(vGyou).size()));
}

Integer CFileChangeTlData::LenRubiDan(Integer vGyou) const {
    return checked::toInteger(static_cast<std::int64_t>(rubiLine(vGyou).Rubi.size()));
}

Integer CFileChangeTlData::IsKanjiRubi(Integer vGyou, Integer vDan) const {
    return rubiLine(vGyou).IsKanjiRubi.at(vDan);
}

String CFileChangeTlData::StrCut(const String& ss, Integer Pos, Integer Lenn) {
    const Integer headLength = checked::sub(Pos, Integer{1});
    const Integer tailStart = checked::add(Pos, Lenn);
    if (headLength < 0 || tailStart < 1) throw Error::invalidArgument("CFileChangeTlData.StrCut");
    String result =
        ss.substr(0, std::min<std::size_t>(static_cast<std::size_t>(headLength), ss.size()));
    if (static_cast<std::size_t>(tailStart) <= ss.size())
        result += ss.substr(static_cast<std::size_t>(tailStart - 1));
    return result;
}

String CFileChangeTlData::ChangeHankana(const String& vHankana) {
    CChangeHiragana converter(messages_);
    converter.ChangeHiragana(vHankana);
    const Integer converted = converter.LenHiragana();
    const auto missing = static_cast<long>(vHankana.size()) - converted;
    String result = converter.Hiragana();
    if (missing >= 1) result.append(static_cast<std::size_t>(missing), kFullSpace);
    return result;
}

}  // namespace tavelo
