// The machine probes under Wine: Internet Explorer version from registry values the test sets, and
// the device id against an independent MD5 of the adapter address and processor id.
#include "AdapterStatusAnswer.h"
#include "IeVersionRegistry.h"
#include "KwStat.h"
#include "SystemProbes.h"

#include <cpuid.h>
// The independent digest for comparison is the library's MD5, kept in its "weak" namespace.
#define CRYPTOPP_ENABLE_NAMESPACE_WEAK 1
#include <cryptopp/hex.h>
#include <cryptopp/md5.h>
#include <windows.h>
#include <nb30.h>

#include <gtest/gtest.h>
#include <regex>

using namespace ns_kw_stat;

TEST(IeVersionProbeTest, PrefersServiceVersionThenFallsBackToVersion)
{
    IeVersionRegistry registry;
    registry.Set(L"svcVersion", L"11.0.9600.16428");
    registry.Set(L"Version", L"9.11.9600.16428");
    EXPECT_EQ(L"11.0.9600.16428", GetIEVersion());
    registry.Remove(L"svcVersion");
    EXPECT_EQ(L"9.11.9600.16428", GetIEVersion());
    registry.Remove(L"Version");
    EXPECT_EQ(L"", GetIEVersion());
}

TEST(IeVersionProbeTest, OversizedValuesAreRefusedWithoutSpoilingTheNextRead)
{
    IeVersionRegistry registry;
    registry.Set(L"svcVersion", std::wstring(400, L'7'));
    registry.Set(L"Version", L"8.0.6001");
    EXPECT_EQ(L"8.0.6001", GetIEVersion());
    registry.Set(L"Version", std::wstring(150, L'8'));
    EXPECT_EQ(L"", GetIEVersion());
    // The largest text that still fits the probe's buffer with its terminator comes back whole.
    registry.Set(L"svcVersion", std::wstring(98, L'9'));
    EXPECT_EQ(std::wstring(98, L'9'), GetIEVersion());
}

TEST(DeviceIdProbeTest, IsTheMd5OfAdapterAddressAndProcessorId)
{
    unsigned eax = 0, ebx = 0, ecx = 0, edx = 0;
    ASSERT_TRUE(__get_cpuid(1, &eax, &ebx, &ecx, &edx));
    char cpu[17];
    snprintf(cpu, sizeof(cpu), "%08X%08X", edx, eax);
    EXPECT_EQ(std::wstring(cpu, cpu + 16), GetCpuId());

    const std::wstring mac = GetMacAddress();
    EXPECT_TRUE(mac.empty() || std::regex_match(std::string(mac.begin(), mac.end()),
                                                std::regex("([0-9A-F]{2}-){5}[0-9A-F]{2}")))
        << std::string(mac.begin(), mac.end());

    const std::string hashed = std::string(mac.begin(), mac.end()) + "+" + cpu;
    std::string expected;
    CryptoPP::Weak::MD5 md5;
    CryptoPP::StringSource(hashed, true,
                           new CryptoPP::HashFilter(md5, new CryptoPP::HexEncoder(new CryptoPP::StringSink(expected))));
    KwStat stat;
    const std::wstring id = stat.GetDeviceId();
    EXPECT_EQ(std::wstring(expected.begin(), expected.end()), id);
    EXPECT_TRUE(std::regex_match(std::string(id.begin(), id.end()), std::regex("[0-9A-F]{32}")));
}

TEST(MacAddressProbeTest, ReadsTheAddressFromARecordedAdapterAnswer)
{
    const unsigned char* answer = kAdapterStatusAnswer;
    EXPECT_EQ(kAdapterStatusAddress, MacAddressFromStatus(NRC_GOODRET, answer, sizeof(kAdapterStatusAnswer)));
    // A name table that did not fit leaves the address whole.
    EXPECT_EQ(kAdapterStatusAddress, MacAddressFromStatus(NRC_INCOMP, answer, sizeof(ADAPTER_STATUS)));
    // A refused request, or an answer too short for the address, reads empty.
    EXPECT_EQ(L"", MacAddressFromStatus(NRC_BRIDGE, answer, sizeof(kAdapterStatusAnswer)));
    EXPECT_EQ(L"", MacAddressFromStatus(NRC_BUFLEN, answer, sizeof(kAdapterStatusAnswer)));
    EXPECT_EQ(L"", MacAddressFromStatus(NRC_GOODRET, answer, 5));
}

TEST(OSProbeTest, BitsFollowTheProcessAndNameIsOneOfTheKnownTexts)
{
    BOOL wow64 = FALSE;
    IsWow64Process(GetCurrentProcess(), &wow64);
    EXPECT_EQ(wow64 ? L"64" : L"32", GetOSBits());
    const std::wstring name = GetOSName();
    EXPECT_TRUE(name.empty() || name == L"xp" || name == L"vista" || name == L"win7" || name == L"win8");
}
