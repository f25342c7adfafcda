#pragma once

#include <string_view>

#include "prose/ProseDocument.h"

namespace tavelo::prose {

// Reads an Aozora Bunko text (Aozora Bunko's notation, lines ended by CR LF, LF or CR).
//
// The head is the lines before the first empty line or line of hyphens among the first seven
// (at most six), or the first two lines where there is none; its notation is removed. The title
// is its first line. The author is the line that names the author in Aozora Bunko's head order
// (title, original title, subtitle, original subtitle, author, translator): the second line of a
// two-line head, else the last line that does not name a translator (ending in 訳, 訳者, 翻訳 or
// 訳編), else the second line.
//
// The body follows the head, without the explanation of the signs (from a line of hyphens
// followed by 【テキスト中に現れる記号について】 to the next line of hyphens) and without the
// colophon (from the first line beginning 底本： to the end, kept line by line with its
// notation removed). Each line of text or empty line is a paragraph (AozoraBodyReader).
[[nodiscard]] ProseDocument readAozoraText(std::u32string_view text);

// The bytes of a file decoded (decodeText) and read as above, with the encoding and the count
// of undecodable sequences.
[[nodiscard]] ProseDocument readProseBytes(std::string_view bytes);

}  // namespace tavelo::prose
