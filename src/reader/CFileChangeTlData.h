#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "CBufRubiRetu.h"
#include "CBunInfoPage.h"
#include "InputConversion.h"
#include "RubiInfo.h"
#include "common/ClassicTypes.h"

namespace tavelo {

class MessageSink;

// Turns one tl2 file into the in-memory document: per line the body text, a typeface short
// name per cell, the ruby slots with their kanji flags, and the figures the layout needs.
//
// Use: set FileName and FullPathName, call FileOpenBuff (or LoadBytes), then
// BuffChangeTl2Data once, then read. A failure at one of the format's limits stops the parse
// with an Error; what was stored until then can still be read. Messages to the user go to the
// message sink given at construction and the work goes on after each.
class CFileChangeTlData {
public:
    // The largest buffer the parse accepts (byte indices 0..32766).
    static constexpr std::size_t kMaxBytes = 32767;

    // Which of the format's limits stopped the parse.
    enum class ReadLimit {
        None,
        FileSize,                 // more than 32,767 bytes
        Lines,                    // more than 1000 lines
        Cells,                    // more than 55 characters in a line
        RubySlots,                // more than 120 ruby positions in a line
        Bracket,                  // more than one character in brackets
        TypefaceCell,             // a typeface entry beyond the line's 55 cells
        TypefaceBeforeFirstLine,  // a typeface entry before any line has ended
        Other,
    };

    explicit CFileChangeTlData(MessageSink& messages);
    ~CFileChangeTlData();
    CFileChangeTlData(const CFileChangeTlData&) = delete;
    CFileChangeTlData& operator=(const CFileChangeTlData&) = delete;

    [[nodiscard]] Integer GyouArraySize() const;
    [[nodiscard]] Integer MaxBunDan() const;
    [[nodiscard]] const String& Bun(Integer vGyou) const;
    [[nodiscard]] const String& FontData(Integer vGyou, int vDan) const;  // vDan is a Byte
    void FileName(const String& vNewValue) { fileName_ = vNewValue; }
    [[nodiscard]] const String& FileName() const { return fileName_; }
    [[nodiscard]] const String& FullPathName() const { return fullPathName_; }
    void FullPathName(const String& vNewValue) { fullPathName_ = vNewValue; }
    void Path(const String& vNewValue) { path_ = vNewValue; }
    [[nodiscard]] Integer Plusminus1MaxLenDan();

    // Reads the whole file into the buffer as LoadBytes does. FullPathName may keep a name's
    // bytes (PathBytes); the file is opened by those bytes. A file that cannot be read shows
    // "<path> ファイルを開けません。" (or, for a name that lost its bytes on the way, that the
    // name cannot be represented) and then fails, so that the caller can stop; the buffer is
    // left as it was.
    void FileOpenBuff();
    void BuffChangeTl2Data();

    [[nodiscard]] const String& Rubi(Integer vGyou) const;
    [[nodiscard]] Integer LenBunDan(Integer vGyou) const;
    [[nodiscard]] Integer LenRubiDan(Integer vGyou) const;
    [[nodiscard]] Integer IsKanjiRubi(Integer vGyou, Integer vDan) const;
    [[nodiscard]] static String StrCut(const String& ss, Integer Pos, Integer Lenn);

    // After a parse that stopped at a line's 56th cell: leaves that line with the 55 cells that
    // were read whole, so that what was read can be shown. The reading itself keeps the
    // character, as the format's rules have it.
    bool DropOverlongCells() { return page_->DropOverlongCells(); }

    // Puts bytes into the buffer exactly as FileOpenBuff puts a file's bytes there: converted
    // first when written on Linux (InputConversion), then with CR LF appended when the last
    // byte is not LF. The format's limits apply to the buffer.
    void LoadBytes(std::vector<std::uint8_t> bytes);
    // How the bytes were taken: as written, from UTF-8, LF read as CR LF.
    [[nodiscard]] const InputConversion& Conversion() const { return conversion_; }

    // Where the parse stopped, for the message to the user: the line of the file (1-based,
    // counted by line feeds as an editor counts them) holding the byte that failed; 0 when
    // no byte failed (the parse succeeded, or the buffer was too large to walk at all).
    [[nodiscard]] long FailureLine() const { return failureLine_; }
    [[nodiscard]] ReadLimit FailedLimit() const { return failedLimit_; }
    // True when the buffer has a line feed that is not preceded by a carriage return.
    [[nodiscard]] bool HasBareLineFeeds() const { return hasBareLineFeeds_; }
    [[nodiscard]] std::size_t BufferSize() const { return m_Buff.size(); }

private:
    class Parser;

    [[nodiscard]] String ChangeHankana(const String& vHankana);
    [[nodiscard]] const RubiInfo& rubiLine(long vGyou) const;

    MessageSink& messages_;
    std::unique_ptr<CBunInfoPage> page_;
    std::unique_ptr<CBufRubiRetu> rubiBuffer_;
    std::vector<std::uint8_t> m_Buff;
    std::vector<RubiInfo> m_Rubi;  // elements 1..n, as index + 1
    String fileName_;
    String fullPathName_;
    String path_;
    long failureLine_ = 0;
    ReadLimit failedLimit_ = ReadLimit::None;
    bool hasBareLineFeeds_ = false;
    InputConversion conversion_;
};

}  // namespace tavelo
