#include "ErrorText.h"

#include <string>

#include "Error.h"

namespace tavelo {

String ErrorText::of(const Error& error) {
    return of(error.number());
}

String ErrorText::of(std::int32_t number) {
    const std::string digits = std::to_string(number);
    return u"エラー " + String(digits.begin(), digits.end()) + u"（" + description(number) + u"）";
}

String ErrorText::description(std::int32_t number) {
    switch (number) {
        case Error::kInvalidArgument:
            return u"呼び出しか引数が正しくありません";
        case Error::kOverflow:
            return u"オーバーフローしました";
        case Error::kSubscriptOutOfRange:
            return u"インデックスが範囲を超えています";
        case Error::kDivisionByZero:
            return u"0 で割りました";
        case Error::kFileNotFound:
            return u"ファイルが見つかりません";
        case Error::kPathFileAccess:
            return u"ファイルにアクセスできません";
        case Error::kObjectNotSet:
            return u"オブジェクトが設定されていません";
        case Error::kDuplicateKey:
            return u"このキーはすでに使われています";
        case Error::kCollectionKeyInvalid:
            return u"コレクションのキーか番号が正しくありません";
        // The controls' own errors (340, 360, 380, 383, 32755).
        case 340:
            return u"コントロール配列の要素がありません";
        case 360:
            return u"オブジェクトはすでに読み込まれています";
        case 380:
            return u"プロパティの値が正しくありません";
        case 383:
            return u"読み取り専用のプロパティです";
        case 32755:
            return u"キャンセルが選ばれました";
        default:
            return u"予期しないエラーです";
    }
}

}  // namespace tavelo
