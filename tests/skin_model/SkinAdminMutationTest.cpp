// Damaged skin databases: at least 10,000 containers made from the packed test skins, damaged as bytes
// (cut short, bits flipped in the header, index or data) or inside the restored index (title length,
// entry sizes, types, data sizes, offsets and name units set to edge values). Each is loaded, its
// entries and styles are looked up and its image drawn; the test passes when nothing crashes or hangs.
// Each container ends flush against a no-access page, so that a read past its end crashes. The random
// source has a fixed seed: a failure repeats.
#include <gtest/gtest.h>

#include <cstdio>
#include <memory>
#include <random>
#include <string>

#include "MutationInput.h"
#include "SkinDatabaseFiles.h"
#include "SkinTestSupport.h"
#include "uiGdiAdmin.h"
#include "uiImage.h"
#include "uiLittleEndian.h"
#include "uiLogFile.h"
#include "uiSkinAdmin.h"
#include "uiStyle.h"

namespace {

const int kDamagedContainers = 10000;

void PutDword(std::vector<BYTE>* bytes, size_t at, DWORD value)
{
    for (size_t i = 0; i < 4 && at + i < bytes->size(); ++i)
        (*bytes)[at + i] = static_cast<BYTE>(value >> (8 * i));
}

class ContainerMutator {
public:
    explicit ContainerMutator(unsigned seed) : m_random(seed) {}

    std::vector<BYTE> Damage(const std::vector<BYTE>& original)
    {
        std::vector<BYTE> bytes = original;
        switch (Below(5)) {
        case 0:
            bytes.resize(Below(bytes.size() + 1));
            break;
        case 1:
            for (int flips = 1 + static_cast<int>(Below(6)); flips > 0; --flips)
                bytes[Below(bytes.size())] ^= static_cast<BYTE>(1u << Below(8));
            break;
        case 2:
            PutDword(&bytes, 0, EdgeValue(uiReadDword(bytes.data()), bytes.size()));
            break;
        default:
            DamageIndexField(&bytes);
            break;
        }
        return bytes;
    }

private:
    size_t Below(size_t limit) { return limit ? std::uniform_int_distribution<size_t>(0, limit - 1)(m_random) : 0; }

    DWORD EdgeValue(DWORD original, size_t containerSize)
    {
        const DWORD size = static_cast<DWORD>(containerSize);
        const DWORD kValues[] = {0, 1, 2, 11, 12, 27, 28, 29, 30, 31, 259, 260, 0xFFFF, 0x7FFFFFFF, 0x80000000,
                                 0xFFFFFFFF, 0xFFFFFFF0, original + 1, original - 1, original + 4, original - 4,
                                 original * 2, size, size - 1, size + 1, static_cast<DWORD>(m_random())};
        return kValues[Below(sizeof(kValues) / sizeof(kValues[0]))];
    }

    // The packer writes format version 1 as the index's first word, so the first stored word gives
    // the transform's mask; the block is restored, one field set to an edge value, and stored again.
    void DamageIndexField(std::vector<BYTE>* bytes)
    {
        const DWORD dataStart = uiReadDword(bytes->data());
        if (bytes->size() < 28 || dataStart < 28 || dataStart > bytes->size())
            return;
        const DWORD mask = uiReadDword(bytes->data() + 12) ^ 1;
        std::vector<BYTE> index(bytes->begin() + 12, bytes->begin() + dataStart);
        Mask(&index, mask);
        std::vector<size_t> fields = {12};
        size_t at = 16 + 2 * static_cast<size_t>(uiReadDword(index.data() + 12));
        while (at + 28 <= index.size()) {
            for (size_t offset : {0, 4, 8, 16, 28, 30})
                fields.push_back(at + offset);
            const DWORD size = uiReadDword(index.data() + at);
            if (size == 0)
                break;
            at += size;
        }
        const size_t field = fields[Below(fields.size())];
        const DWORD original = field + 4 <= index.size() ? uiReadDword(index.data() + field) : 0;
        PutDword(&index, field, EdgeValue(original, bytes->size()));
        Mask(&index, mask);
        std::copy(index.begin(), index.end(), bytes->begin() + 12);
    }

    static void Mask(std::vector<BYTE>* block, DWORD mask)
    {
        for (size_t at = 0; at + 4 <= block->size(); at += 4)
            PutDword(block, at, uiReadDword(block->data() + at) ^ mask);
    }

    std::mt19937 m_random;
};

// Everything a skinned program would do with a loaded skin.
void UseLoadedSkin()
{
    uiSkinAdmin& admin = uiGetSkinAdmin();
    for (const wchar_t* name : {L"basic\\main.xml", L"basic\\cmd.bmp", L"second\\note.txt", L"bad\\a.xml", L"partial\\b.xml"}) {
        const int size = admin.GetEntrySize(name);
        if (size > 0 && size < (16 << 20)) {
            std::vector<BYTE> bytes(size);
            admin.ReadEntry(name, bytes.data(), size);
        }
    }
    for (const wchar_t* name : {L"dialog", L"button.ok", L"bad.style", L"partial.good"})
        std::unique_ptr<uiStyle>(admin.FindStyle(name));
    if (uiImage* image = uiGetGdiAdmin().GetImage(L"cmd_strip")) {
        PixelCanvas canvas(32, 16);
        RECT destination = {0, 0, 32, 16};
        image->Draw(canvas.GetDC(), destination, nullptr);
    }
}

TEST(SkinAdminMutation, DamagedContainersNeitherCrashNorHang)
{
    uiLogFile::Instance().Close();
    std::vector<std::vector<BYTE>> originals;
    for (const wchar_t* name : {L"basic.skindb", L"second.skindb", L"partial.skindb", L"bad/reference.skindb"}) {
        originals.push_back(ReadSkinDatabaseFile(name));
        ASSERT_FALSE(originals.back().empty()) << CStringA(name).GetString();
    }
    const unsigned seed = MutationSeed("skin databases", 20261209);
    ContainerMutator mutator(seed);
    GuardedBuffer guarded;
    int loaded = 0;
    for (int i = 0; i < kDamagedContainers; ++i) {
        const std::vector<BYTE> damaged = mutator.Damage(originals[i % originals.size()]);
        TryingInput("skin database " + std::to_string(i) + " of seed " + std::to_string(seed));
        if (uiGetSkinAdmin().LoadSkinDB(guarded.Place(damaged), static_cast<DWORD>(damaged.size()))) {
            ++loaded;
            UseLoadedSkin();
        }
        uiGetSkinAdmin().Unload();
    }
    std::printf("skin databases: tried %d damaged containers, %d still loaded\n", kDamagedContainers, loaded);
}

} // namespace
