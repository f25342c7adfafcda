#include "prose/ProseLoad.h"

#include "prose/AozoraReader.h"
#include "prose/ProseFile.h"

namespace tavelo::prose {

LoadedProse loadProseFile(const std::string& path) {
    ProseFileBytes file = readProseFile(path);
    if (!file.ok) return {std::nullopt, std::move(file.message)};
    LoadedProse loaded;
    loaded.document = readProseBytes(file.bytes);
    return loaded;
}

bool isProseName(std::string_view path) {
    if (path.size() < 4) return true;
    std::string tail(path.substr(path.size() - 4));
    for (char& c : tail) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return tail != ".tl2";
}

}  // namespace tavelo::prose
