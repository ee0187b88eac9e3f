// Disk serial number: the text taken from recorded IDENTIFY sectors, and the SMART and miniport
// requests checked byte by byte against a fake device.
#include "GetHDSerial.h"

#include <ntddscsi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using Words = std::vector<WORD>;

// An IDENTIFY sector whose serial field (words 10-19) holds the 20 bytes given, first character of each
// pair in the word's high byte, and whose model field starts with "M". Other words carry filler that must
// not leak into the serial.
Words IdentifyWithSerial(const char (&serial)[21])
{
    Words words(256, 0x5858);
    for (int i = 0; i < 10; ++i) {
        const BYTE first = static_cast<BYTE>(serial[2 * i]);
        const BYTE second = static_cast<BYTE>(serial[2 * i + 1]);
        words[10 + i] = static_cast<WORD>((first << 8) | second);
    }
    words[27] = 0x4D20;
    return words;
}

std::string SerialOf(const Words& words)
{
    DWORD identify[256];
    for (int i = 0; i < 256; ++i) {
        identify[i] = words[i];
    }
    return CGetHDSerial::SerialFromIdentifyDwords(identify);
}

DWORD Dword(const std::vector<BYTE>& bytes, size_t offset)
{
    DWORD value;
    std::memcpy(&value, bytes.data() + offset, sizeof(value));
    return value;
}

// Stands in for "\\.\PhysicalDrive0" and "\\.\Scsi0:"; answers what the test configures and keeps every
// request it was sent.
class FakeDisks : public CGetHDSerial {
public:
    bool driveOpens = true;
    bool miniportOpens = true;
    bool versionAnswers = true;
    BYTE deviceMap = 0x01;
    bool smartAnswers = true;
    BYTE driverError = 0;
    DWORD smartReturned = 528;
    Words smartWords;
    std::map<int, Words> miniportWords;

    std::vector<std::string> opened;
    int openHandles = 0;
    int strayCloses = 0;
    std::vector<BYTE> smartRequest;
    DWORD smartOutSize = 0;
    std::vector<std::vector<BYTE>> miniportRequests;
    DWORD miniportOutSize = 0;

protected:
    HANDLE OpenDevice(const char* path) override
    {
        opened.push_back(path);
        const bool drive = std::strcmp(path, "\\\\.\\PhysicalDrive0") == 0;
        const bool miniport = std::strcmp(path, "\\\\.\\Scsi0:") == 0;
        if ((drive && driveOpens) || (miniport && miniportOpens)) {
            ++openHandles;
            return reinterpret_cast<HANDLE>(drive ? 0x100 : 0x200);
        }
        return INVALID_HANDLE_VALUE;
    }

    BOOL ControlDevice(HANDLE, DWORD code, void* in, DWORD inSize, void* out, DWORD outSize, DWORD* returned) override
    {
        const auto* inBytes = static_cast<const BYTE*>(in);
        auto* outBytes = static_cast<BYTE*>(out);
        if (code == SMART_GET_VERSION) {
            if (!versionAnswers || outSize < 24) {
                return FALSE;
            }
            std::memset(outBytes, 0, 24);
            outBytes[3] = deviceMap;
            *returned = 24;
            return TRUE;
        }
        if (code == SMART_RCV_DRIVE_DATA) {
            smartRequest.assign(inBytes, inBytes + inSize);
            smartOutSize = outSize;
            if (!smartAnswers || outSize < 16 + 512) {
                return FALSE;
            }
            outBytes[4] = driverError;
            std::memcpy(outBytes + 16, smartWords.data(), 512);
            *returned = smartReturned;
            return TRUE;
        }
        if (code == IOCTL_SCSI_MINIPORT) {
            miniportRequests.emplace_back(inBytes, inBytes + inSize);
            miniportOutSize = outSize;
            const int drive = inBytes[28 + 12];
            auto answer = miniportWords.find(drive);
            if (answer != miniportWords.end() && outSize >= 44 + 512) {
                std::memcpy(outBytes + 44, answer->second.data(), 512);
            }
            *returned = outSize;
            return TRUE;
        }
        ADD_FAILURE() << "unexpected control code " << std::hex << code;
        return FALSE;
    }

    void CloseDevice(HANDLE device) override
    {
        if (device == INVALID_HANDLE_VALUE || openHandles == 0) {
            ++strayCloses;
        } else {
            --openHandles;
        }
    }
};

TEST(SerialText, IsTakenHighByteFirstFromWordsTenToNineteen)
{
    EXPECT_EQ(SerialOf(IdentifyWithSerial("WD-WCAV1234567890XYZ")), "WD-WCAV1234567890XYZ");
}

TEST(SerialText, KeepsLeadingBlanksAndLosesTrailingOnes)
{
    EXPECT_EQ(SerialOf(IdentifyWithSerial("   S1ABC12          ")), "   S1ABC12");
    EXPECT_EQ(SerialOf(IdentifyWithSerial("                    ")), " ");
}

TEST(SerialText, StopsAtTheFirstZeroByteAndTrimsTheBlanksBeforeIt)
{
    EXPECT_EQ(SerialOf(Words(256, 0)), "");
    EXPECT_EQ(SerialOf(IdentifyWithSerial("Z9X8  \0\0\0\0\0\0\0\0\0\0\0\0\0\0")), "Z9X8");
    EXPECT_EQ(SerialOf(IdentifyWithSerial("AB\0CDEFGHIJKLMNOPQRS")), "AB");
}

TEST(SmartRoad, SendsIdentifyDeviceToDriveZeroAndReadsTheAnswer)
{
    FakeDisks disks;
    disks.smartWords = IdentifyWithSerial("    WD-1234         ");
    EXPECT_STREQ(disks.GetHDSerialText(), "    WD-1234");
    ASSERT_EQ(disks.opened, std::vector<std::string>{"\\\\.\\PhysicalDrive0"});
    ASSERT_EQ(disks.smartRequest.size(), 35u);
    EXPECT_EQ(disks.smartOutSize, 531u);
    const auto& rq = disks.smartRequest;
    EXPECT_EQ(Dword(rq, 0), 512u);  // buffer size
    const std::vector<BYTE> registers(rq.begin() + 4, rq.begin() + 11);
    EXPECT_EQ(registers, (std::vector<BYTE>{0, 1, 1, 0, 0, 0xA0, 0xEC}));
    EXPECT_EQ(rq[12], 0);  // drive number
    EXPECT_EQ(disks.openHandles, 0);
    EXPECT_EQ(disks.strayCloses, 0);
}

TEST(SmartRoad, AtapiDeviceInTheVersionMapIsAskedForPacketIdentify)
{
    FakeDisks disks;
    disks.deviceMap = 0x10;
    disks.smartWords = IdentifyWithSerial("CDROM-01            ");
    EXPECT_STREQ(disks.GetHDSerialText(), "CDROM-01");
    ASSERT_GE(disks.smartRequest.size(), 11u);
    EXPECT_EQ(disks.smartRequest[10], 0xA1);
}

TEST(SmartRoad, RefusedOrIncompleteAnswersLeaveItToTheMiniport)
{
    struct Case {
        const char* name;
        bool versionAnswers, smartAnswers;
        BYTE driverError;
        DWORD returned;
    };
    const Case cases[] = {
        {"version refused", false, true, 0, 528},
        {"identify refused", true, false, 0, 528},
        {"driver error", true, true, 1, 528},
        {"short answer", true, true, 0, 100},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        FakeDisks disks;
        disks.versionAnswers = c.versionAnswers;
        disks.smartAnswers = c.smartAnswers;
        disks.driverError = c.driverError;
        disks.smartReturned = c.returned;
        disks.smartWords = IdentifyWithSerial("SMART-SERIAL        ");
        disks.miniportWords[0] = IdentifyWithSerial("MINIPORT-SERIAL     ");
        EXPECT_STREQ(disks.GetHDSerialText(), "MINIPORT-SERIAL");
        EXPECT_EQ(disks.openHandles, 0);
        EXPECT_EQ(disks.strayCloses, 0);
    }
}

TEST(MiniportRoad, DriveOneAnswersWhenDriveZeroHasNoModelName)
{
    FakeDisks disks;
    disks.driveOpens = false;
    disks.miniportWords[1] = IdentifyWithSerial("9VM1ABCD            ");
    EXPECT_STREQ(disks.GetHDSerialText(), "9VM1ABCD");
    ASSERT_EQ(disks.opened, (std::vector<std::string>{"\\\\.\\PhysicalDrive0", "\\\\.\\Scsi0:"}));
    ASSERT_EQ(disks.miniportRequests.size(), 2u);
    EXPECT_EQ(disks.miniportOutSize, 560u);
    for (int drive = 0; drive < 2; ++drive) {
        const auto& rq = disks.miniportRequests[drive];
        ASSERT_EQ(rq.size(), 63u);
        EXPECT_EQ(Dword(rq, 0), 28u);
        EXPECT_EQ(std::string(reinterpret_cast<const char*>(rq.data() + 4), 8), "SCSIDISK");
        EXPECT_EQ(Dword(rq, 12), 10000u);
        EXPECT_EQ(Dword(rq, 16), 0x1B0501u);
        EXPECT_EQ(Dword(rq, 24), 532u);
        EXPECT_EQ(rq[28 + 10], 0xEC);
        EXPECT_EQ(rq[28 + 12], drive);
    }
    EXPECT_EQ(disks.openHandles, 0);
    EXPECT_EQ(disks.strayCloses, 0);
}

TEST(MiniportRoad, AnAnswerWithoutModelNameDoesNotCount)
{
    FakeDisks disks;
    disks.smartAnswers = false;
    Words noModel = IdentifyWithSerial("GHOST               ");
    noModel[27] = 0;
    disks.miniportWords[0] = noModel;
    disks.miniportWords[1] = noModel;
    EXPECT_STREQ(disks.GetHDSerialText(), "");
}

TEST(BothRoads, FailingGiveTheEmptyTextAndCloseWhatTheyOpened)
{
    FakeDisks none;
    none.driveOpens = false;
    none.miniportOpens = false;
    EXPECT_STREQ(none.GetHDSerialText(), "");
    EXPECT_EQ(none.strayCloses, 0);

    FakeDisks silent;
    silent.smartAnswers = false;
    EXPECT_STREQ(silent.GetHDSerialText(), "");
    EXPECT_EQ(silent.openHandles, 0);
    EXPECT_EQ(silent.strayCloses, 0);
}

// The real device calls, watched: the paths opened and the handles not yet closed.
class WatchedDevices : public CGetHDSerial {
public:
    std::vector<std::string> opened;
    std::set<HANDLE> open;
    int strayCloses = 0;

protected:
    HANDLE OpenDevice(const char* path) override
    {
        opened.push_back(path);
        const HANDLE device = CGetHDSerial::OpenDevice(path);
        if (device != INVALID_HANDLE_VALUE)
            open.insert(device);
        return device;
    }

    void CloseDevice(HANDLE device) override
    {
        if (open.erase(device) == 0)
            ++strayCloses;
        CGetHDSerial::CloseDevice(device);
    }
};

TEST(RealDevices, AnswerWithAShortTextOrNothingAndCloseWhatTheyOpened)
{
    WatchedDevices serial;
    const char* text = serial.GetHDSerialText();
    ASSERT_NE(text, nullptr);
    const std::string answer = text;
    EXPECT_LE(answer.size(), 20u);
    EXPECT_TRUE(answer.size() <= 1 || answer.back() != ' ') << answer;
    // The disk driver first; the miniport exactly when the driver gives no identify data.
    DWORD identify[CGetHDSerial::kIdentifyWords] = {};
    const bool driverAnswers = WatchedDevices().ReadSmartIdentify(identify) != 0;
    ASSERT_FALSE(serial.opened.empty());
    EXPECT_EQ(serial.opened.front(), "\\\\.\\PhysicalDrive0");
    EXPECT_EQ(std::count(serial.opened.begin(), serial.opened.end(), "\\\\.\\Scsi0:"), driverAnswers ? 0 : 1);
    EXPECT_TRUE(serial.open.empty());
    EXPECT_EQ(serial.strayCloses, 0);
    // The same disk gives the same text again.
    EXPECT_EQ(std::string(serial.GetHDSerialText()), answer);
    EXPECT_TRUE(serial.open.empty());
}

}  // namespace
