#include "ReadingMessage.h"

#include <string>

#include "DocumentLoader.h"
#include "common/Error.h"
#include "common/ErrorText.h"
#include "common/PathBytes.h"

namespace tavelo {
namespace {

String decimal(long value) {
    const std::string text = std::to_string(value);
    return String(text.begin(), text.end());
}

// A number written as the messages write numbers: with thousands separators.
String grouped(long value) {
    String digits = decimal(value);
    for (auto at = static_cast<long>(digits.size()) - 3; at > 0; at -= 3)
        digits.insert(static_cast<std::size_t>(at), u",");
    return digits;
}

String sizeOf(const CFileChangeTlData& reader) {
    const String bytes = grouped(static_cast<long>(reader.BufferSize())) + u" バイト";
    return reader.Conversion().converted() ? u"シフトJIS・CR LF に直すと " + bytes : bytes;
}

// Which limit stopped the reading, as one sentence.
String limitOf(const CFileChangeTlData& reader, const Error& error) {
    using Limit = CFileChangeTlData::ReadLimit;
    switch (reader.FailedLimit()) {
        case Limit::FileSize:
            return u"ファイルが " + grouped(static_cast<long>(CFileChangeTlData::kMaxBytes)) +
                   u" バイトを超えています（" + sizeOf(reader) + u"）。";
        case Limit::Lines:
            return u"行が " + grouped(CBunInfoPage::kMaxLines) + u" 行を超えています。";
        case Limit::Cells:
            return u"1行の文字が " + decimal(CBunInfoPage::kMaxCells) + u" 文字を超えています。";
        case Limit::RubySlots:
            return u"1行のルビが " + decimal(RubiInfo::kMaxSlots) + u" 文字分を超えています。";
        case Limit::Bracket:
            return u"[ ] の中に2文字以上あります。[ ] の中は1文字だけです。";
        case Limit::TypefaceCell:
            return u"書体の指定が行の " + decimal(CBunInfoPage::kMaxCells) +
                   u" 文字目より後ろにあります。";
        case Limit::TypefaceBeforeFirstLine:
            return u"書体の指定の前に本文の行がありません。";
        case Limit::None:
        case Limit::Other:
            break;
    }
    return ErrorText::of(error) + u"が起きました。";
}

}  // namespace

std::optional<String> ReadingMessage::readFailure(const DocumentLoader& loader,
                                                  const String& fullPathName) {
    const auto& error = loader.readError();
    if (!error) return std::nullopt;
    // The reader has told a file that cannot be opened itself.
    if (error->number() == Error::kFileNotFound || error->number() == Error::kPathFileAccess)
        return std::nullopt;
    const CFileChangeTlData& reader = loader.reader();
    String text = PathBytes::display(fullPathName);
    if (reader.FailureLine() > 0)
        text += u" の " + decimal(reader.FailureLine()) + u" 行目で読み込みを中止しました。";
    else
        text += u" を読み込めません。";
    text += u"\n" + limitOf(reader, *error);
    if (reader.HasBareLineFeeds())
        text +=
            u"\ntl2形式ファイルの行は CR LF で終わります。このファイルには LF "
            u"だけで終わる行があります。";
    if (loader.readAnything()) text += u"\n中止した所より前を表示します。";
    return text;
}

String ReadingMessage::layoutFailure(const Error& error, const String& fullPathName) {
    return PathBytes::display(fullPathName) + u" の文字の位置を計算できませんでした。\n" +
           ErrorText::of(error);
}

String ReadingMessage::statusNote(const InputConversion& conversion) {
    if (conversion.fromUtf8() && conversion.lineFeedsAsCrLf())
        return u"（UTF-8 のファイルとして、LF の改行を CR LF として読み込みました）";
    if (conversion.fromUtf8()) return u"（UTF-8 のファイルとして読み込みました）";
    if (conversion.lineFeedsAsCrLf()) return u"（LF の改行を CR LF として読み込みました）";
    return String();
}

}  // namespace tavelo
