#include "ProseFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zip.h>

#include <cerrno>
#include <cstdint>
#include <memory>
#include <vector>

#include "TextDecoder.h"

namespace tavelo::prose {
namespace {

// "64 MB", the limit as the messages say it.
std::string limitText() {
    return std::to_string(kMaxFileBytes / (1024u * 1024u)) + " MB";
}

ProseFileBytes failure(std::string message) {
    ProseFileBytes result;
    result.message = std::move(message);
    return result;
}

std::string tooLargeMessage() {
    return "ファイルが大きすぎます（" + limitText() + " まで）。";
}

// Why the file cannot be opened or read, from errno.
std::string unreadableMessage(int error) {
    switch (error) {
        case ENOENT:
        case ENOTDIR:
            return "ファイルが見つかりません。";
        case EACCES:
        case EPERM:
            return "ファイルを読む権限がありません。";
        default:
            return "ファイルを読めません。";
    }
}

char lowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool endsWithNoCase(std::string_view text, std::string_view suffix) {
    if (text.size() < suffix.size()) return false;
    const std::string_view tail = text.substr(text.size() - suffix.size());
    for (std::size_t i = 0; i < suffix.size(); ++i)
        if (lowerAscii(tail[i]) != lowerAscii(suffix[i])) return false;
    return true;
}

// Reads at most kMaxFileBytes + 1 bytes, so a file that grew past the limit after stat is
// still refused.
ProseFileBytes readPlainFile(const std::string& path, std::size_t expectedSize) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) return failure(unreadableMessage(errno));
    ProseFileBytes result;
    result.bytes.resize(expectedSize + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled == result.bytes.size()) {
            if (result.bytes.size() > kMaxFileBytes) break;
            result.bytes.resize(std::min(result.bytes.size() * 2, kMaxFileBytes + 1));
        }
        const ssize_t n = ::read(fd, result.bytes.data() + filled, result.bytes.size() - filled);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int error = errno;
            ::close(fd);
            return failure(unreadableMessage(error));
        }
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    ::close(fd);
    if (filled > kMaxFileBytes) return failure(tooLargeMessage());
    result.bytes.resize(filled);
    result.ok = true;
    return result;
}

void appendUtf8(char32_t c, std::string& out) {
    if (c < 0x80u) {
        out += static_cast<char>(c);
    } else if (c < 0x800u) {
        out += static_cast<char>(0xC0u | (c >> 6));
        out += static_cast<char>(0x80u | (c & 0x3Fu));
    } else if (c < 0x10000u) {
        out += static_cast<char>(0xE0u | (c >> 12));
        out += static_cast<char>(0x80u | ((c >> 6) & 0x3Fu));
        out += static_cast<char>(0x80u | (c & 0x3Fu));
    } else {
        out += static_cast<char>(0xF0u | (c >> 18));
        out += static_cast<char>(0x80u | ((c >> 12) & 0x3Fu));
        out += static_cast<char>(0x80u | ((c >> 6) & 0x3Fu));
        out += static_cast<char>(0x80u | (c & 0x3Fu));
    }
}

// A zip entry's name as UTF-8. Zips made on Japanese Windows store names in CP932 without
// saying so; the name's bytes are read as a text file's are (UTF-8 when they are valid UTF-8,
// else CP932) rather than as the CP437 that the zip format presumes.
std::string entryNameAsUtf8(const char* raw) {
    if (raw == nullptr) return {};
    std::string out;
    for (const char32_t c : decodeText(raw).text) appendUtf8(c, out);
    return out;
}

struct ZipCloser {
    void operator()(zip_t* archive) const { zip_discard(archive); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

// The one .txt entry of an Aozora Bunko zip. Folder entries and the resource forks that macOS
// adds (__MACOSX/…) do not count.
ProseFileBytes readZipFile(const std::string& path) {
    int error = 0;
    const std::unique_ptr<zip_t, ZipCloser> archive(zip_open(path.c_str(), ZIP_RDONLY, &error));
    if (!archive) {
        if (error == ZIP_ER_OPEN || error == ZIP_ER_READ || error == ZIP_ER_NOENT) {
            zip_error_t details;
            zip_error_init_with_code(&details, error);
            const int systemError = zip_error_code_system(&details);
            zip_error_fini(&details);
            return failure(unreadableMessage(error == ZIP_ER_NOENT ? ENOENT : systemError));
        }
        return failure("zip ファイルとして読めません（壊れているか、zip ではありません）。");
    }

    const zip_int64_t count = zip_get_num_entries(archive.get(), 0);
    std::vector<zip_uint64_t> texts;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* name =
            zip_get_name(archive.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        if (name == nullptr) continue;
        const std::string_view entry(name);
        if (entry.empty() || entry.back() == '/' || entry.starts_with("__MACOSX/")) continue;
        if (endsWithNoCase(entry, ".txt")) texts.push_back(static_cast<zip_uint64_t>(i));
    }
    if (texts.empty()) return failure("zip ファイルの中にテキストファイル（.txt）がありません。");
    if (texts.size() > 1)
        return failure("zip ファイルの中にテキストファイル（.txt）が複数あります（" +
                       std::to_string(texts.size()) + " 個）。どれを読むか決められません。");

    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive.get(), texts.front(), 0, &stat) != 0 ||
        (stat.valid & ZIP_STAT_SIZE) == 0)
        return failure("zip ファイルの中のテキストを読めません。");
    if (stat.size > kMaxFileBytes)
        return failure("zip ファイルの中のテキストが大きすぎます（" + limitText() + " まで）。");

    const std::unique_ptr<zip_file_t, ZipFileCloser> file(
        zip_fopen_index(archive.get(), texts.front(), 0));
    if (!file)
        return failure(
            "zip ファイルの中のテキストを読めません（壊れているか、"
            "対応していない圧縮方式か暗号化です）。");
    ProseFileBytes result;
    result.bytes.resize(static_cast<std::size_t>(stat.size));
    std::size_t filled = 0;
    while (filled < result.bytes.size()) {
        const zip_int64_t n =
            zip_fread(file.get(), result.bytes.data() + filled, result.bytes.size() - filled);
        if (n < 0) return failure("zip ファイルの中のテキストを読めません（壊れています）。");
        if (n == 0) break;
        filled += static_cast<std::size_t>(n);
    }
    // One more read reaches the end of the entry, where libzip checks its CRC; it finds
    // nothing more unless the entry is longer than its header said.
    char extra = 0;
    if (filled != result.bytes.size() || zip_fread(file.get(), &extra, 1) != 0)
        return failure("zip ファイルの中のテキストを読めません（壊れています）。");
    result.innerName = entryNameAsUtf8(zip_get_name(archive.get(), texts.front(), ZIP_FL_ENC_RAW));
    result.ok = true;
    return result;
}

}  // namespace

bool isZipName(std::string_view path) {
    return endsWithNoCase(path, ".zip");
}

ProseFileBytes readProseFile(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) return failure(unreadableMessage(errno));
    if (S_ISDIR(info.st_mode)) return failure("フォルダーは開けません。ファイルを選んでください。");
    if (!S_ISREG(info.st_mode)) return failure("通常のファイルではないので読めません。");
    if (static_cast<std::uintmax_t>(info.st_size) > kMaxFileBytes)
        return failure(tooLargeMessage());
    if (isZipName(path)) return readZipFile(path);
    return readPlainFile(path, static_cast<std::size_t>(info.st_size));
}

}  // namespace tavelo::prose
