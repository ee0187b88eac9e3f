// The statistics module's building blocks on their own: MD5, payload encryption, version splitting
// and the names of Windows versions. (Document texts are checked where the server decrypts them.)
#include "AesCfb.h"
#include "HttpGet.h"
#include "Md5.h"
#include "SystemProbes.h"

#include <gtest/gtest.h>

#include <vector>

using namespace ns_kw_stat;

// Published test vectors of RFC 1321; the device id wants them as upper-case digits.
TEST(Md5Test, GivesTheRfcDigestsInUpperCase)
{
    EXPECT_EQ(L"D41D8CD98F00B204E9800998ECF8427E", GetMD5String(L""));
    EXPECT_EQ(L"900150983CD24FB0D6963F7D28E17F72", GetMD5String(L"abc"));
    EXPECT_EQ(L"57EDF4A22BE3C955AC49DA2E2107B67A",
              GetMD5String(L"12345678901234567890123456789012345678901234567890123456789012345678901234567890"));
}

TEST(AesCfbTest, AcceptsOnlyAesKeyLengthsAndVectorsOfSixteenBytesOrMore)
{
    const std::string iv = "Rk7#mQ2v!Lp9wZ4x";
    std::string out;
    for (size_t length : {16u, 24u, 32u})
        EXPECT_TRUE(AesCfbEncryptBase64(iv, "text", std::string(length, 'k'), out)) << length;
    for (size_t length : {0u, 15u, 31u, 33u, 64u}) {
        out = "untouched";
        EXPECT_FALSE(AesCfbEncryptBase64(iv, "text", std::string(length, 'k'), out)) << length;
        EXPECT_EQ("untouched", out);
    }
    const std::string key(32, 'k');
    EXPECT_FALSE(AesCfbEncryptBase64("", "text", key, out));
    EXPECT_FALSE(AesCfbEncryptBase64(iv.substr(0, 15), "text", key, out));
    std::string sixteen, longer;
    ASSERT_TRUE(AesCfbEncryptBase64(iv, "text", key, sixteen));
    ASSERT_TRUE(AesCfbEncryptBase64(iv + "tail", "text", key, longer));
    EXPECT_EQ(sixteen, longer);
}

TEST(AesCfbTest, CiphertextKeepsPlaintextLengthAndBase64HasNoLineBreaks)
{
    std::wstring base64;
    ASSERT_TRUE(AesCfbEncryptBase64W(L"5e1b7c93a0d24f68b1c07e9a3d52f816", std::wstring(300, L'x'),
                                     L"Rk7#mQ2v!Lp9wZ4x", base64));
    EXPECT_EQ(400u, base64.size());
    ASSERT_TRUE(AesCfbEncryptBase64W(L"5e1b7c93a0d24f68b1c07e9a3d52f816", std::wstring(1001, L'x'),
                                     L"Rk7#mQ2v!Lp9wZ4x", base64));
    EXPECT_EQ(1336u, base64.size());
    EXPECT_EQ(std::wstring::npos, base64.find_first_of(L"\r\n"));
}

TEST(VersionTextTest, SplitsDottedComponentsKeepingLowByteAndPadding)
{
    std::vector<uint8_t> parts;
    SplitVersion(L"1.2", 4, parts);
    EXPECT_EQ((std::vector<uint8_t>{1, 2, 0, 0}), parts);
    parts.clear();
    SplitVersion(L"1.2.", -1, parts);
    EXPECT_EQ((std::vector<uint8_t>{1, 2}), parts);
    parts.clear();
    SplitVersion(L"300. 7x.abc", 0, parts);
    EXPECT_EQ((std::vector<uint8_t>{44, 7, 0}), parts);
    EXPECT_EQ(L"11", MajorVersionText(L"11.0.9600.16428"));
    EXPECT_EQ(L"9", MajorVersionText(L"9.11.9600.16428"));
    EXPECT_EQ(L"0", MajorVersionText(L"abc"));
    EXPECT_EQ(L"0", MajorVersionText(L""));
}

TEST(OSNameTest, NamesOnlyTheKnownVersions)
{
    EXPECT_EQ(L"xp", OSNameOfVersion(5, 1));
    EXPECT_EQ(L"", OSNameOfVersion(5, 2));
    EXPECT_EQ(L"vista", OSNameOfVersion(6, 0));
    EXPECT_EQ(L"win7", OSNameOfVersion(6, 1));
    EXPECT_EQ(L"win8", OSNameOfVersion(6, 2));
    EXPECT_EQ(L"", OSNameOfVersion(6, 3));
    EXPECT_EQ(L"win8", OSNameOfVersion(10, 0));
    EXPECT_EQ(L"", OSNameOfVersion(10, 1));
    EXPECT_EQ(L"", OSNameOfVersion(4, 0));
}

TEST(HttpGetTest, KeepsOneMebibyteOfAnAnswerAndTakesEveryByte)
{
    std::string body;
    std::vector<char> block(300000, 'x');
    block[0] = 'a';
    size_t taken = 0;
    for (int i = 0; i < 10; ++i)
        taken += CurlWriteCallback(block.data(), 1, block.size(), &body);
    EXPECT_EQ(3000000u, taken) << "a smaller count would break the transfer off";
    EXPECT_EQ(1048576u, body.size());
    EXPECT_EQ('a', body[300000]);
    EXPECT_EQ('x', body[1048575]);
}
