#include <gtest/gtest.h>
#include <unistd.h>
#include <zip.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "prose/ProseFile.h"

namespace tavelo::prose {
namespace {

namespace fs = std::filesystem;

// One entry of a zip made for a test: a name ending in '/' is a folder.
struct ZipEntry {
    std::string name;
    std::string data;
};

class ProseFileTest : public testing::Test {
protected:
    void SetUp() override {
        std::string pattern = (fs::temp_directory_path() / "tavelo-prose-XXXXXX").string();
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        dir_ = pattern;
    }
    void TearDown() override {
        std::error_code ignored;
        fs::permissions(dir_, fs::perms::owner_all, ignored);
        fs::remove_all(dir_, ignored);
    }

    std::string path(const std::string& name) const { return (dir_ / name).string(); }

    std::string writeFile(const std::string& name, std::string_view bytes) const {
        const std::string p = path(name);
        std::ofstream(p, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return p;
    }

    // Makes the zip with libzip; `entries` must outlive the call (libzip reads the data when
    // it closes the archive).
    std::string writeZip(const std::string& name, const std::vector<ZipEntry>& entries) const {
        const std::string p = path(name);
        int error = 0;
        zip_t* archive = zip_open(p.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
        EXPECT_NE(archive, nullptr) << error;
        if (archive == nullptr) return p;
        for (const ZipEntry& entry : entries) {
            if (!entry.name.empty() && entry.name.back() == '/') {
                EXPECT_GE(zip_dir_add(archive, entry.name.c_str(), ZIP_FL_ENC_GUESS), 0);
                continue;
            }
            zip_source_t* source =
                zip_source_buffer(archive, entry.data.data(), entry.data.size(), 0);
            const zip_int64_t index =
                zip_file_add(archive, entry.name.c_str(), source, ZIP_FL_ENC_GUESS);
            EXPECT_GE(index, 0);
            zip_set_file_compression(archive, static_cast<zip_uint64_t>(index), ZIP_CM_DEFLATE, 1);
        }
        EXPECT_EQ(zip_close(archive), 0);
        return p;
    }

    fs::path dir_;
};

bool contains(const std::string& text, std::string_view part) {
    return text.find(part) != std::string::npos;
}

const std::string kAozoraText = "\x82\xA0\x82\xA2\r\n\x81\x60";  // CP932 bytes

TEST_F(ProseFileTest, plainFile_isReadWhole) {
    const ProseFileBytes read = readProseFile(writeFile("sakuhin.txt", kAozoraText));
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.bytes, kAozoraText);
    EXPECT_TRUE(read.innerName.empty());
    EXPECT_TRUE(read.message.empty());
}

TEST_F(ProseFileTest, emptyFile_isReadAsNoBytes) {
    const ProseFileBytes read = readProseFile(writeFile("empty.txt", ""));
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_TRUE(read.bytes.empty());
}

TEST_F(ProseFileTest, missingFile_saysItIsNotThere) {
    const ProseFileBytes read = readProseFile(path("nothing.txt"));
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_TRUE(contains(read.message, "見つかりません")) << read.message;
}

TEST_F(ProseFileTest, missingZip_saysItIsNotThere) {
    const ProseFileBytes read = readProseFile(path("nothing.zip"));
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(contains(read.message, "見つかりません")) << read.message;
}

TEST_F(ProseFileTest, folder_isRefused) {
    fs::create_directory(path("folder.txt"));
    const ProseFileBytes read = readProseFile(path("folder.txt"));
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(contains(read.message, "フォルダー")) << read.message;
}

TEST_F(ProseFileTest, unreadableFile_saysSo) {
    if (geteuid() == 0) GTEST_SKIP() << "root reads every file";
    const std::string p = writeFile("locked.txt", kAozoraText);
    fs::permissions(p, fs::perms::none);
    const ProseFileBytes read = readProseFile(p);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(contains(read.message, "権限")) << read.message;
}

TEST_F(ProseFileTest, fileOverTheLimit_isRefusedWithTheLimit) {
    // A sparse file: its size is over the limit without the disk holding it.
    const std::string p = writeFile("huge.txt", "");
    fs::resize_file(p, kMaxFileBytes + 1);
    const ProseFileBytes read = readProseFile(p);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_EQ(read.message, "ファイルが大きすぎます（64 MB まで）。");
}

TEST_F(ProseFileTest, zipOverTheLimit_isRefusedBeforeItIsOpened) {
    const std::string p = writeFile("huge.zip", "");
    fs::resize_file(p, kMaxFileBytes + 1);
    const ProseFileBytes read = readProseFile(p);
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.message, "ファイルが大きすぎます（64 MB まで）。");
}

TEST_F(ProseFileTest, zipWithOneText_readsIt) {
    const std::vector<ZipEntry> entries{
        {"akutagawa/", ""},
        {"akutagawa/rashomon.txt", kAozoraText},
        {"akutagawa/readme.html", "<p>not the text</p>"},
        {"__MACOSX/akutagawa/._rashomon.txt", "resource fork"},
    };
    const ProseFileBytes read = readProseFile(writeZip("rashomon.zip", entries));
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.bytes, kAozoraText);
    EXPECT_EQ(read.innerName, "akutagawa/rashomon.txt");
}

TEST_F(ProseFileTest, zipNameAndTextName_areMatchedWithoutCase) {
    const std::vector<ZipEntry> entries{{"RASHOMON.TXT", kAozoraText}};
    const ProseFileBytes read = readProseFile(writeZip("RASHOMON.ZIP", entries));
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_EQ(read.bytes, kAozoraText);
    EXPECT_EQ(read.innerName, "RASHOMON.TXT");
}

TEST_F(ProseFileTest, zipEntryNames_areGivenAsUtf8) {
    // 羅生門.txt in UTF-8 (flagged so in the zip) and in CP932 (as Japanese Windows writes it).
    const std::vector<ZipEntry> utf8{{"\xE7\xBE\x85\xE7\x94\x9F\xE9\x96\x80.txt", kAozoraText}};
    const ProseFileBytes fromUtf8 = readProseFile(writeZip("utf8.zip", utf8));
    ASSERT_TRUE(fromUtf8.ok) << fromUtf8.message;
    EXPECT_EQ(fromUtf8.innerName, "\xE7\xBE\x85\xE7\x94\x9F\xE9\x96\x80.txt");

    const std::vector<ZipEntry> cp932{{"\x97\x85\x90\xB6\x96\xE5.txt", kAozoraText}};
    const ProseFileBytes fromCp932 = readProseFile(writeZip("cp932.zip", cp932));
    ASSERT_TRUE(fromCp932.ok) << fromCp932.message;
    EXPECT_EQ(fromCp932.bytes, kAozoraText);
    EXPECT_EQ(fromCp932.innerName, "\xE7\xBE\x85\xE7\x94\x9F\xE9\x96\x80.txt");
}

TEST_F(ProseFileTest, zipWithEmptyText_readsNoBytes) {
    const std::vector<ZipEntry> entries{{"empty.txt", ""}};
    const ProseFileBytes read = readProseFile(writeZip("empty.zip", entries));
    ASSERT_TRUE(read.ok) << read.message;
    EXPECT_TRUE(read.bytes.empty());
}

TEST_F(ProseFileTest, zipWithoutText_saysSo) {
    const std::vector<ZipEntry> entries{{"texts.txt/", ""}, {"readme.html", "<p></p>"}};
    const ProseFileBytes read = readProseFile(writeZip("none.zip", entries));
    EXPECT_FALSE(read.ok);
    EXPECT_EQ(read.message, "zip ファイルの中にテキストファイル（.txt）がありません。");
}

TEST_F(ProseFileTest, zipWithTwoTexts_saysSo) {
    const std::vector<ZipEntry> entries{{"a.txt", "a"}, {"sub/b.TXT", "b"}};
    const ProseFileBytes read = readProseFile(writeZip("two.zip", entries));
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_TRUE(contains(read.message, "複数")) << read.message;
    EXPECT_TRUE(contains(read.message, "2 個")) << read.message;
}

TEST_F(ProseFileTest, zipWhoseTextIsOverTheLimit_isRefusedWithTheLimit) {
    // A small zip whose central directory then claims an uncompressed size over the limit:
    // the size is checked before anything is inflated.
    const std::vector<ZipEntry> entries{{"huge.txt", "small"}};
    const std::string p = writeZip("bomb.zip", entries);
    std::string bytes;
    {
        std::ifstream in(p, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::size_t central = bytes.find("PK\x01\x02");
    ASSERT_NE(central, std::string::npos);
    const std::uint32_t claimed = static_cast<std::uint32_t>(kMaxFileBytes + 1);
    for (int k = 0; k < 4; ++k)  // uncompressed size, little-endian, at offset 24
        bytes[central + 24 + static_cast<std::size_t>(k)] =
            static_cast<char>((claimed >> (8 * k)) & 0xFFu);
    writeFile("bomb.zip", bytes);

    const ProseFileBytes read = readProseFile(p);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_EQ(read.message, "zip ファイルの中のテキストが大きすぎます（64 MB まで）。");
}

TEST_F(ProseFileTest, notAZip_saysItCannotBeReadAsOne) {
    const ProseFileBytes read = readProseFile(writeFile("fake.zip", kAozoraText));
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(contains(read.message, "zip ファイルとして読めません")) << read.message;
}

TEST_F(ProseFileTest, truncatedZip_isRefused) {
    const std::vector<ZipEntry> entries{{"a.txt", std::string(5000, 'x')}};
    const std::string p = writeZip("cut.zip", entries);
    fs::resize_file(p, fs::file_size(p) / 2);
    const ProseFileBytes read = readProseFile(p);
    EXPECT_FALSE(read.ok);
    EXPECT_FALSE(read.message.empty());
}

TEST_F(ProseFileTest, zipWithDamagedData_isRefused) {
    const std::vector<ZipEntry> entries{{"a.txt", std::string(5000, 'x') + "end"}};
    const std::string p = writeZip("damaged.zip", entries);
    std::string bytes;
    {
        std::ifstream in(p, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    ASSERT_EQ(bytes.compare(0, 4, "PK\x03\x04"), 0);
    const auto field = [&](std::size_t at) {
        return static_cast<std::size_t>(static_cast<unsigned char>(bytes[at])) |
               static_cast<std::size_t>(static_cast<unsigned char>(bytes[at + 1])) << 8;
    };
    const std::size_t data = 30 + field(26) + field(28);  // after the local header
    bytes[data + 3] = static_cast<char>(bytes[data + 3] ^ 0x55);
    writeFile("damaged.zip", bytes);

    const ProseFileBytes read = readProseFile(p);
    EXPECT_FALSE(read.ok);
    EXPECT_TRUE(read.bytes.empty());
    EXPECT_TRUE(contains(read.message, "壊れて")) << read.message;
}

struct ZipNameCase {
    std::string_view path;
    bool zip;
};

class ZipNameTest : public testing::TestWithParam<ZipNameCase> {};

TEST_P(ZipNameTest, isZipName) {
    EXPECT_EQ(isZipName(GetParam().path), GetParam().zip) << GetParam().path;
}

INSTANTIATE_TEST_SUITE_P(ProseFile, ZipNameTest,
                         testing::Values(ZipNameCase{"a.zip", true}, ZipNameCase{"A.ZIP", true},
                                         ZipNameCase{"/home/x/b.Zip", true},
                                         ZipNameCase{".zip", true}, ZipNameCase{"a.txt", false},
                                         ZipNameCase{"a.zip.txt", false}, ZipNameCase{"zip", false},
                                         ZipNameCase{"a.zi", false}, ZipNameCase{"", false}));

}  // namespace
}  // namespace tavelo::prose
