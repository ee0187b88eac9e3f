// Table-driven x86 (32-bit) instruction-length decoder that copies one instruction at a time and
// re-targets relative branches so that they reach the same place from the copy.
#pragma once

#include <windows.h>

class InstructionCopier {
public:
    // Copies the instruction at src to dst (a scratch buffer when dst is null) and returns the
    // address of the next source instruction. *growth is 0, or the bytes by which a relative
    // branch would have to grow to reach its target from dst (3 for an 8-bit, 2 for a 16-bit
    // displacement), negative when the branch cannot be widened. A null src sets
    // ERROR_INVALID_DATA as the last error and returns null.
    const BYTE* CopyInstruction(const BYTE* src, LONG* growth, BYTE* dst);

    // Facts about the last instruction copied.
    bool Invalid() const { return m_invalid; }          // unknown opcode or too long: not copied whole
    bool TargetUnknown() const { return m_targetUnknown; }
    const BYTE* Target() const { return m_target; }     // branch target, null when none
    int Length() const { return m_length; }             // bytes written to the destination

    static constexpr int kMaxInstruction = 15;

private:
    const BYTE* Dispatch(const BYTE* src, BYTE* dst, DWORD entry);
    const BYTE* Generic(const BYTE* src, BYTE* dst, DWORD entry);
    const BYTE* Prefix(const BYTE* src, BYTE* dst, const DWORD* table);
    void Relocate(const BYTE* src, BYTE* dst, int length, int dispOffset, DWORD entry);

    bool m_operandPrefix = false;
    bool m_addressPrefix = false;
    bool m_invalid = false;
    bool m_targetUnknown = false;
    const BYTE* m_target = nullptr;
    const BYTE* m_start = nullptr;
    BYTE* m_dstStart = nullptr;
    LONG m_growth = 0;
    int m_length = 0;
};
