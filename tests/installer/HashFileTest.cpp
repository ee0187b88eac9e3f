// The hashing service against independent tools: hash_oracles.sh (run by CTest before this test)
// writes the input files and their digests from coreutils, rhash, Perl and Python into
// $TAVRIN_BINARY_DIR/hash-oracles.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "HashFile.h"
#include "MD2.h"
#include "Sha2.h"

namespace {

struct Algorithm {
    int id;
    int shaBits;
    const char* oracle;
};

const Algorithm kDigests[] = {{2, 256, "gost94"}, {3, 256, "md2"},    {4, 256, "md4"},    {5, 256, "md5"},
                              {6, 256, "sha1"},   {7, 256, "sha256"}, {7, 384, "sha384"}, {7, 512, "sha512"}};

const int kDataFileCount = 19;          // data-*.bin written by the script
const char kWideName[] = u8"安装包ไทย.bin";  // a name no ANSI code page holds

std::wstring Widen(const std::string& utf8)
{
    std::wstring wide(MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], static_cast<int>(wide.size()));
    return wide;
}

// The oracle folder as Wine sees it, on drive Z:.
std::wstring OracleDir()
{
    const char* build = std::getenv("TAVRIN_BINARY_DIR");
    std::wstring dir = L"Z:" + Widen(build ? build : "") + L"/hash-oracles/";
    for (wchar_t& ch : dir)
        if (ch == L'/')
            ch = L'\\';
    return dir;
}

std::wstring OraclePath(const std::string& file)
{
    return OracleDir() + Widen(file);
}

std::string ReadFile(const std::string& file)
{
    std::string bytes;
    if (FILE* in = _wfopen(OraclePath(file).c_str(), L"rb")) {
        char chunk[4096];
        size_t got;
        while ((got = std::fread(chunk, 1, sizeof(chunk), in)) > 0)
            bytes.append(chunk, got);
        std::fclose(in);
    }
    return bytes;
}

// (file, algorithm name) -> lower-case hexadecimal digest
using Oracles = std::map<std::pair<std::string, std::string>, std::string>;

const Oracles& LoadOracles()
{
    static const Oracles oracles = [] {
        Oracles read;
        std::istringstream in(ReadFile("digests.txt"));
        std::string file, algorithm, digest;
        while (in >> file >> algorithm >> digest)
            read[{file, algorithm}] = digest;
        return read;
    }();
    return oracles;
}

std::string Oracle(const std::string& file, const std::string& algorithm)
{
    auto found = LoadOracles().find({file, algorithm});
    return found != LoadOracles().end() ? found->second : "missing oracle " + file + " " + algorithm;
}

std::vector<std::string> DataFiles()
{
    std::vector<std::string> files;
    for (const auto& entry : LoadOracles())
        if (entry.first.first.rfind("data-", 0) == 0 && entry.first.second == "md5")
            files.push_back(entry.first.first);
    return files;
}

CStringA ReadBytes(const std::string& file)
{
    const std::string text = ReadFile(file);
    return CStringA(text.data(), static_cast<int>(text.size()));
}

std::string RunJob(HashRequest& request)
{
    CStringA result;
    const CStringA& returned = HashFile(request, result);
    EXPECT_EQ(&returned, &result);
    return result.GetString();
}

std::string HashText(const CStringA& text, int algorithm, int format = 1, int shaBits = 256)
{
    HashRequest request;
    request.text = text;
    request.algorithm = algorithm;
    request.outputFormat = format;
    request.shaBits = shaBits;
    return RunJob(request);
}

std::string HashPath(const CStringA& path, int algorithm, int format = 1, int shaBits = 256)
{
    HashRequest request;
    request.path = path;
    request.inputKind = 2;
    request.algorithm = algorithm;
    request.outputFormat = format;
    request.shaBits = shaBits;
    return RunJob(request);
}

CStringA NarrowPath(const std::string& file)
{
    return ToNarrow(CString(OraclePath(file).c_str()));
}

TEST(HashFileDigests, OracleFilesArePresent)
{
    ASSERT_EQ(DataFiles().size(), static_cast<size_t>(kDataFileCount)) << "run hash_oracles.sh first";
}

// Sizes on both sides of every block and of the 2048- and 16000-byte reading chunks.
TEST(HashFileDigests, FilesMatchIndependentTools)
{
    for (const std::string& file : DataFiles())
        for (const Algorithm& algorithm : kDigests) {
            SCOPED_TRACE(file + " " + algorithm.oracle);
            // MD5 of a file shows nothing for an empty file; the others give the digest of no bytes.
            const std::string expected = algorithm.id == 5 && file == "data-0.bin" ? "" : Oracle(file, algorithm.oracle);
            EXPECT_EQ(HashPath(NarrowPath(file), algorithm.id, 1, algorithm.shaBits), expected);
        }
}

// The same bytes (zero bytes included) as text input; CRC-32 takes only text.
TEST(HashFileDigests, TextsMatchIndependentTools)
{
    for (const std::string& file : DataFiles()) {
        const CStringA bytes = ReadBytes(file);
        SCOPED_TRACE(file);
        EXPECT_EQ(HashText(bytes, 1), Oracle(file, "crc32"));
        for (const Algorithm& algorithm : kDigests)
            EXPECT_EQ(HashText(bytes, algorithm.id, 1, algorithm.shaBits), Oracle(file, algorithm.oracle)) << algorithm.oracle;
    }
}

TEST(HashFileDigests, JobsOnSeveralThreadsDoNotInterfere)
{
    const std::vector<std::string> files = {"data-2049.bin", "data-16001.bin", "data-32000.bin", "data-100003.bin"};
    std::vector<std::string> results[4];
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int round = 0; round < 5; ++round)
                for (const Algorithm& algorithm : kDigests)
                    results[t].push_back(HashPath(NarrowPath(files[t]), algorithm.id, 1, algorithm.shaBits));
        });
    for (std::thread& thread : threads)
        thread.join();
    for (int t = 0; t < 4; ++t)
        for (size_t i = 0; i < results[t].size(); ++i)
            EXPECT_EQ(results[t][i], Oracle(files[t], kDigests[i % 8].oracle)) << files[t];
}

// RFC 1321's vector for "abc".
TEST(HashFileLayouts, PairsAreSpacedAndUpperCasedByFormat)
{
    EXPECT_EQ(HashText("abc", 5, 1), "900150983cd24fb0d6963f7d28e17f72");
    EXPECT_EQ(HashText("abc", 5, 2), "90 01 50 98 3c d2 4f b0 d6 96 3f 7d 28 e1 7f 72 ");
    EXPECT_EQ(HashText("abc", 5, 3), "900150983CD24FB0D6963F7D28E17F72");
    EXPECT_EQ(HashText("abc", 5, 4), "90 01 50 98 3C D2 4F B0 D6 96 3F 7D 28 E1 7F 72 ");
    for (int other : {0, 5, -1})
        EXPECT_EQ(HashText("abc", 5, other), "900150983cd24fb0d6963f7d28e17f72") << other;
    EXPECT_EQ(HashText("abc", 7, 2, 512).size(), 192u);
}

TEST(HashFileLayouts, Crc32KeepsEightDigits)
{
    const CStringA text = ReadBytes("crc-leading-zero.txt");
    const std::string expected = Oracle("crc-leading-zero.txt", "crc32");
    ASSERT_EQ(expected[0], '0');
    EXPECT_EQ(HashText(text, 1), expected);
    EXPECT_EQ(HashText("", 1), "00000000");
    EXPECT_EQ(HashText("", 1, 4), "00 00 00 00 ");
    // The IEEE CRC-32 check value.
    EXPECT_EQ(HashText("123456789", 1, 3), "CBF43926");
}

TEST(HashFileFailures, GiveTheEmptyText)
{
    const CStringA existing = NarrowPath("data-2049.bin");
    for (int format = 1; format <= 4; ++format)
        for (int id : {0, 8, -1}) {
            EXPECT_EQ(HashText("abc", id, format), "") << id;
            EXPECT_EQ(HashPath(existing, id, format), "") << id;
        }
    for (const Algorithm& algorithm : kDigests) {
        SCOPED_TRACE(algorithm.oracle);
        EXPECT_EQ(HashPath("", algorithm.id, 1, algorithm.shaBits), "");
        EXPECT_EQ(HashPath(NarrowPath("no-such-file.bin"), algorithm.id, 1, algorithm.shaBits), "");
    }
    // CRC-32 reads no file.
    EXPECT_EQ(HashPath(existing, 1), "");
}

TEST(HashFileFailures, UnknownInputKindAndSha2SizeGiveTheEmptyText)
{
    for (int kind : {0, 3}) {
        HashRequest request;
        request.inputKind = kind;
        request.text = "abc";
        request.path = NarrowPath("data-64.bin");
        for (int id = 1; id <= 7; ++id) {
            request.algorithm = id;
            EXPECT_EQ(RunJob(request), "") << "kind " << kind << " id " << id;
        }
    }
    // Byte sizes are for the SHA-2 context only: the request counts in bits.
    for (int bits : {0, 32, 64, 255, 1024, -256}) {
        EXPECT_EQ(HashText("abc", 7, 1, bits), "") << bits;
        EXPECT_EQ(HashPath(NarrowPath("data-64.bin"), 7, 1, bits), "") << bits;
    }
}

TEST(HashFileFailures, EveryJobStartsFromEmptyTexts)
{
    HashRequest request;
    request.algorithm = 5;
    request.text = "abc";
    CStringA result;
    HashFile(request, result);
    EXPECT_EQ(request.hexText, "900150983cd24fb0d6963f7d28e17f72");
    request.algorithm = 8;
    result = "left over";
    HashFile(request, result);
    EXPECT_EQ(result, "");
    EXPECT_EQ(request.hexText, "");
}

TEST(HashFileWidePath, NameOutsideTheAnsiCodePageHashes)
{
    for (const Algorithm& algorithm : kDigests) {
        HashRequest request;
        request.widePath = OraclePath(kWideName).c_str();
        request.path = NarrowPath("data-64.bin");  // the wide path wins
        request.inputKind = 2;
        request.algorithm = algorithm.id;
        request.shaBits = algorithm.shaBits;
        EXPECT_EQ(RunJob(request), Oracle(kWideName, algorithm.oracle)) << algorithm.oracle;
    }
}

TEST(HashPieces, Md2StartsAgainAfterFinal)
{
    const CStringA bytes = ReadBytes("data-2049.bin");
    CMD2 md2;
    for (int round = 0; round < 2; ++round) {
        md2.Update(reinterpret_cast<const uint8_t*>(bytes.GetString()), 1000);
        md2.Update(reinterpret_cast<const uint8_t*>(bytes.GetString()) + 1000, bytes.GetLength() - 1000);
        uint8_t digest[16];
        md2.Final(digest);
        char hex[33];
        for (int i = 0; i < 16; ++i)
            std::snprintf(hex + 2 * i, 3, "%02x", digest[i]);
        EXPECT_EQ(std::string(hex), Oracle("data-2049.bin", "md2")) << "round " << round;
    }
}

TEST(HashPieces, Sha2AcceptsBitOrByteSizesOnly)
{
    Sha2Context context;
    for (int size : {256, 384, 512, 32, 48, 64})
        EXPECT_EQ(Sha2Init(context, size), 0) << size;
    for (int size : {0, 128, 224, 1024, -256})
        EXPECT_EQ(Sha2Init(context, size), 1) << size;
}

}  // namespace
