// Damaged input for the mutation tests: placed flush against a page that may not be touched, so that a
// read past its end faults at once instead of reading the heap's next bytes; the suite's random seed,
// printed and replaceable from the environment; and the input being tried, named when the process dies.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class GuardedBuffer {
public:
    GuardedBuffer() = default;
    ~GuardedBuffer();
    GuardedBuffer(const GuardedBuffer&) = delete;
    GuardedBuffer& operator=(const GuardedBuffer&) = delete;

    // Copies the bytes so that the last one lies just below the no-access page; where they start. Valid
    // until the next Place. Empty input gives the page boundary itself.
    const BYTE* Place(const void* bytes, size_t length);
    const BYTE* Place(const std::vector<BYTE>& bytes) { return Place(bytes.data(), bytes.size()); }
    // The text with its terminating NUL as the last readable character.
    const char* PlaceText(const std::string& text);
    const wchar_t* PlaceText(const std::wstring& text);

private:
    BYTE* m_base = nullptr;
    size_t m_usable = 0; // bytes below the guard page
};

// TAVRIN_MUTATION_SEED when it holds a number, else the suite's own seed; printed under the suite's name
// either way, so that a failure can be repeated.
unsigned MutationSeed(const char* suite, unsigned ownSeed);

// Names the input now being tried. When the process dies of an unhandled exception (a fault in the code
// under test), the name is printed first.
void TryingInput(const std::string& name);
