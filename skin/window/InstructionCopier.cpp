// x86 instruction copier: two opcode tables (one-byte opcodes and those after 0Fh) and a ModRM
// table give each instruction's length; relative branches are re-based on the destination.
#include "InstructionCopier.h"

#include <array>
#include <cstring>
#include <initializer_list>

#include "HookMemory.h"

namespace {

// Entry bits: 0-7 opcode, 8-11 length, 12-15 length under the size prefix, 16-19 ModRM offset,
// 20-23 displacement offset, 24-27 routine, 28 target unknown, 29 lengths follow the address
// size, 30 branch cannot be widened, 31 marks B8 (no effect in 32-bit code).
constexpr DWORD kUnknownTarget = 1u << 28;
constexpr DWORD kAddressSized = 1u << 29;
constexpr DWORD kNoWiden = 1u << 30;
constexpr DWORD kMovEaxImm = 1u << 31;

enum Routine : DWORD {
    kCopy,
    kPrefix,
    kInvalid,
    kEscape0F,
    kOperandSize,
    kAddressSize,
    kGroupF6,
    kGroupF7,
    kGroupFF,
    kUnset = 15,
};

constexpr DWORD Len(DWORD len, DWORD len66, DWORD modrm = 0, DWORD disp = 0, DWORD flags = 0)
{
    return (len << 8) | (len66 << 12) | (modrm << 16) | (disp << 20) | flags;
}

constexpr DWORD Run(Routine r)
{
    return static_cast<DWORD>(r) << 24;
}

struct Range {
    int lo;
    int hi;
    constexpr Range(int single) : lo(single), hi(single) {}
    constexpr Range(int first, int last) : lo(first), hi(last) {}
};

using Table = std::array<DWORD, 256>;

constexpr void Assign(Table& t, std::initializer_list<Range> ranges, DWORD entry)
{
    for (const Range& r : ranges)
        for (int op = r.lo; op <= r.hi; ++op)
            t[op] = entry | static_cast<DWORD>(op);
}

constexpr Table Unset()
{
    Table t{};
    for (DWORD& e : t)
        e = Run(kUnset);
    return t;
}

constexpr bool Complete(const Table& t)
{
    for (DWORD e : t)
        if (((e >> 24) & 0xF) == kUnset)
            return false;
    return true;
}

constexpr Table BuildOneByte()
{
    Table t = Unset();
    Assign(t, {{0x06, 0x07}, 0x0E, {0x16, 0x17}, {0x1E, 0x1F}, 0x27, 0x2F, 0x37, {0x3F, 0x61}, {0x6C, 0x6F},
               {0x90, 0x99}, {0x9B, 0x9F}, {0xA4, 0xA7}, {0xAA, 0xAF}, 0xC3, 0xC9, 0xD7, {0xEC, 0xEF},
               {0xF4, 0xF5}, {0xF8, 0xFD}},
           Len(1, 1));
    Assign(t, {{0xCB, 0xCC}, {0xCE, 0xCF}}, Len(1, 1, 0, 0, kUnknownTarget));
    Assign(t, {0x04, 0x0C, 0x14, 0x1C, 0x24, 0x2C, 0x34, 0x3C, 0x6A, 0xA8, {0xB0, 0xB7}, {0xD4, 0xD5},
               {0xE4, 0xE7}},
           Len(2, 2));
    Assign(t, {{0x00, 0x03}, {0x08, 0x0B}, {0x10, 0x13}, {0x18, 0x1B}, {0x20, 0x23}, {0x28, 0x2B}, {0x30, 0x33},
               {0x38, 0x3B}, {0x62, 0x63}, {0x84, 0x8F}, {0xC4, 0xC5}, {0xD0, 0xD3}, {0xD8, 0xDF}, 0xFE},
           Len(2, 2, 1));
    Assign(t, {{0x70, 0x7F}, 0xE3, 0xEB}, Len(2, 2, 0, 1));
    Assign(t, {0xCD}, Len(2, 2, 0, 0, kUnknownTarget));
    Assign(t, {{0xE0, 0xE2}}, Len(2, 2, 0, 1, kNoWiden));
    Assign(t, {0xC2}, Len(3, 3));
    // 82 is the group-1 form with a ModRM byte and an 8-bit immediate, as 80.
    Assign(t, {0x6B, 0x80, 0x82, 0x83, {0xC0, 0xC1}, 0xC6}, Len(3, 3, 1));
    Assign(t, {0xCA}, Len(3, 3, 0, 0, kUnknownTarget));
    Assign(t, {0x05, 0x0D, 0x15, 0x1D, 0x25, 0x2D, 0x35, 0x3D, 0x68, 0xA9, {0xB9, 0xBF}}, Len(5, 3));
    Assign(t, {{0xE8, 0xE9}}, Len(5, 3, 0, 1));
    Assign(t, {{0xA0, 0xA3}}, Len(5, 3, 0, 0, kAddressSized));
    Assign(t, {0xB8}, Len(5, 3, 0, 0, kMovEaxImm));
    Assign(t, {0xC8}, Len(4, 4));
    Assign(t, {0x69, 0x81, 0xC7}, Len(6, 4, 1));
    Assign(t, {0x9A, 0xEA}, Len(7, 5, 0, 0, kUnknownTarget));
    Assign(t, {0x26, 0x2E, 0x36, 0x3E, {0x64, 0x65}, 0xF0, {0xF2, 0xF3}}, Run(kPrefix));
    Assign(t, {0xD6, 0xF1}, Run(kInvalid));
    Assign(t, {0x0F}, Run(kEscape0F));
    Assign(t, {0x66}, Run(kOperandSize));
    Assign(t, {0x67}, Run(kAddressSize));
    Assign(t, {0xF6}, Run(kGroupF6));
    Assign(t, {0xF7}, Run(kGroupF7));
    Assign(t, {0xFF}, Run(kGroupFF));
    return t;
}

constexpr Table BuildAfter0F()
{
    Table t = Unset();
    Assign(t, {0x06, {0x08, 0x09}, 0x0B, 0x0E, {0x30, 0x35}, 0x77, {0xA0, 0xA2}, {0xA8, 0xAA}, {0xC8, 0xCF}},
           Len(2, 2));
    Assign(t, {{0x00, 0x03}, 0x0D, {0x10, 0x18}, {0x20, 0x23}, {0x28, 0x2F}, {0x40, 0x6F}, {0x74, 0x76},
               {0x7E, 0x7F}, {0x90, 0x9F}, 0xA3, 0xA5, 0xAB, {0xAD, 0xB7}, {0xBB, 0xC1}, 0xC3, 0xC7,
               {0xD1, 0xEF}, {0xF1, 0xFE}},
           Len(2, 2, 1));
    // C2 (compare with a predicate byte) and 0F (ModRM, then a suffix byte) carry an immediate.
    Assign(t, {0x0F, {0x70, 0x73}, 0xA4, 0xAC, 0xBA, 0xC2, {0xC4, 0xC6}}, Len(3, 3, 1));
    Assign(t, {{0x80, 0x8F}}, Len(5, 3, 0, 1));
    Assign(t, {{0x04, 0x05}, 0x07, 0x0A, 0x0C, {0x19, 0x1F}, {0x24, 0x27}, {0x36, 0x3F}, {0x78, 0x7D},
               {0xA6, 0xA7}, {0xB8, 0xB9}, 0xD0, 0xF0, 0xFF},
           Run(kInvalid));
    return t;
}

// Per ModRM byte: low four bits the bytes after it (SIB, displacement); bit 4 a SIB byte whose
// base 5 adds a 32-bit displacement; bit 5 the displacement-only form.
constexpr std::array<BYTE, 256> BuildModRm()
{
    std::array<BYTE, 256> t{};
    for (int m = 0; m < 256; ++m) {
        const int mod = m >> 6;
        const int rm = m & 7;
        if (mod == 0)
            t[m] = rm == 4 ? 0x11 : rm == 5 ? 0x24 : 0;
        else if (mod == 1)
            t[m] = rm == 4 ? 2 : 1;
        else if (mod == 2)
            t[m] = rm == 4 ? 5 : 4;
    }
    return t;
}

constexpr Table kOneByte = BuildOneByte();
constexpr Table kAfter0F = BuildAfter0F();
constexpr std::array<BYTE, 256> kModRm = BuildModRm();
static_assert(Complete(kOneByte) && Complete(kAfter0F), "every opcode has an entry");

Routine RoutineOf(DWORD entry)
{
    return static_cast<Routine>((entry >> 24) & 0xF);
}

}  // namespace

const BYTE* InstructionCopier::CopyInstruction(const BYTE* src, LONG* growth, BYTE* dst)
{
    if (!src) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    m_operandPrefix = false;
    m_addressPrefix = false;
    m_invalid = false;
    m_targetUnknown = false;
    m_target = nullptr;
    m_growth = 0;
    m_length = 0;
    m_start = src;
    BYTE scratch[kMaxInstruction + 1];
    // Into the scratch buffer branches are measured as if the code stayed where it is.
    m_dstStart = dst;
    const BYTE* next = Dispatch(src, dst ? dst : scratch, kOneByte[src[0]]);
    if (growth)
        *growth = m_growth;
    return next;
}

const BYTE* InstructionCopier::Dispatch(const BYTE* src, BYTE* dst, DWORD entry)
{
    // Group opcodes pick their form by the ModRM byte's reg field.
    auto reg = [src] { return (src[1] >> 3) & 7; };
    switch (RoutineOf(entry)) {
    case kCopy:
        return Generic(src, dst, entry);
    case kPrefix:
        return Prefix(src, dst, kOneByte.data());
    case kEscape0F:
        return Prefix(src, dst, kAfter0F.data());
    case kOperandSize:
        m_operandPrefix = true;
        return Prefix(src, dst, kOneByte.data());
    case kAddressSize:
        m_addressPrefix = true;
        return Prefix(src, dst, kOneByte.data());
    case kGroupF6:
        return Generic(src, dst, reg() == 0 ? Len(3, 3, 1) : Len(2, 2, 1));
    case kGroupF7:
        return Generic(src, dst, reg() == 0 ? Len(6, 4, 1) : Len(2, 2, 1));
    case kGroupFF: {
        const BYTE modrm = src[1];
        if (modrm == 0x15 || modrm == 0x25) {
            const BYTE* const* slot = *reinterpret_cast<const BYTE* const* const*>(src + 2);
            if (HookIsReadable(slot, sizeof(*slot)))
                m_target = *slot;
            else
                m_targetUnknown = true;
        } else if (reg() >= 2 && reg() <= 5) {
            m_targetUnknown = true;
        }
        return Generic(src, dst, Len(2, 2, 1));
    }
    default:
        m_invalid = true;
        return src + 1;
    }
}

const BYTE* InstructionCopier::Prefix(const BYTE* src, BYTE* dst, const DWORD* table)
{
    if (src - m_start >= kMaxInstruction - 1) {
        m_invalid = true;  // longer than any instruction can be
        return src + 1;
    }
    dst[0] = src[0];
    ++m_length;
    return Dispatch(src + 1, dst + 1, table[src[1]]);
}

const BYTE* InstructionCopier::Generic(const BYTE* src, BYTE* dst, DWORD entry)
{
    const bool alternate = (entry & kAddressSized) ? m_addressPrefix : m_operandPrefix;
    int length = static_cast<int>(alternate ? (entry >> 12) & 0xF : (entry >> 8) & 0xF);
    const int modrmOffset = static_cast<int>((entry >> 16) & 0xF);
    if (modrmOffset) {
        if (m_addressPrefix) {
            m_invalid = true;  // 16-bit addressing forms are not decoded
            return src + 1;
        }
        const BYTE extra = kModRm[src[modrmOffset]];
        length += extra & 0xF;
        if ((extra & 0x10) && (src[modrmOffset + 1] & 7) == 5)
            length += 4;
    }
    if ((src - m_start) + length > kMaxInstruction) {
        m_invalid = true;
        return src + 1;
    }
    std::memcpy(dst, src, static_cast<size_t>(length));
    m_length += length;
    const int dispOffset = static_cast<int>((entry >> 20) & 0xF);
    if (dispOffset)
        Relocate(src, dst, length, dispOffset, entry);
    if (entry & kUnknownTarget)
        m_targetUnknown = true;
    return src + length;
}

void InstructionCopier::Relocate(const BYTE* src, BYTE* dst, int length, int dispOffset, DWORD entry)
{
    const int size = length - dispOffset;
    const BYTE* at = src + dispOffset;
    LONG old = 0;
    if (size == 1)
        old = static_cast<signed char>(at[0]);
    else if (size == 2)
        old = static_cast<short>(at[0] | (at[1] << 8));
    else
        std::memcpy(&old, at, sizeof(old));
    m_target = src + length + old;
    const BYTE* reference = m_dstStart ? dst : src;
    const LONG moved = static_cast<LONG>(reinterpret_cast<ULONG_PTR>(src) - reinterpret_cast<ULONG_PTR>(reference));
    const LONG rebased = static_cast<LONG>(static_cast<ULONG>(old) + static_cast<ULONG>(moved));
    BYTE* out = dst + dispOffset;
    if (size == 4) {
        std::memcpy(out, &rebased, sizeof(rebased));
    } else if (size == 1) {
        if (rebased >= -128 && rebased <= 127)
            out[0] = static_cast<BYTE>(rebased);
        else
            m_growth = 3;
    } else if (moved != 0) {
        m_growth = 2;  // a 16-bit branch also cuts the instruction pointer to 16 bits
    }
    if ((entry & kNoWiden) && m_growth > 0)
        m_growth = -m_growth;
}
