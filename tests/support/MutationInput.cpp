#include "MutationInput.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

size_t PageSize()
{
    SYSTEM_INFO info = {};
    GetSystemInfo(&info);
    return info.dwPageSize;
}

// Fixed storage: the exception filter must not allocate.
char g_trying[512];

LONG WINAPI ReportTriedInput(EXCEPTION_POINTERS* exception)
{
    std::fprintf(stderr, "\nexception 0x%08lx while trying %s\n",
                 static_cast<unsigned long>(exception->ExceptionRecord->ExceptionCode), g_trying);
    std::fflush(stderr);
    std::fflush(stdout);
    return EXCEPTION_CONTINUE_SEARCH;
}

} // namespace

GuardedBuffer::~GuardedBuffer()
{
    if (m_base)
        VirtualFree(m_base, 0, MEM_RELEASE);
}

const BYTE* GuardedBuffer::Place(const void* bytes, size_t length)
{
    if (!m_base || length > m_usable) {
        if (m_base)
            VirtualFree(m_base, 0, MEM_RELEASE);
        const size_t page = PageSize();
        m_usable = (length + page - 1) / page * page;
        m_base = static_cast<BYTE*>(VirtualAlloc(nullptr, m_usable + page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE));
        DWORD previous = 0;
        if (!m_base || !VirtualProtect(m_base + m_usable, page, PAGE_NOACCESS, &previous)) {
            std::fprintf(stderr, "no guarded buffer of %u bytes\n", static_cast<unsigned>(length));
            std::abort();
        }
    }
    BYTE* start = m_base + m_usable - length;
    if (length)
        std::memcpy(start, bytes, length);
    return start;
}

const char* GuardedBuffer::PlaceText(const std::string& text)
{
    return reinterpret_cast<const char*>(Place(text.c_str(), text.size() + 1));
}

const wchar_t* GuardedBuffer::PlaceText(const std::wstring& text)
{
    return reinterpret_cast<const wchar_t*>(Place(text.c_str(), (text.size() + 1) * sizeof(wchar_t)));
}

unsigned MutationSeed(const char* suite, unsigned ownSeed)
{
    unsigned seed = ownSeed;
    const char* given = std::getenv("TAVRIN_MUTATION_SEED");
    char* end = nullptr;
    if (given && *given) {
        const unsigned long value = std::strtoul(given, &end, 0);
        if (*end == '\0')
            seed = static_cast<unsigned>(value);
    }
    std::printf("%s: seed %u (TAVRIN_MUTATION_SEED replaces it)\n", suite, seed);
    std::fflush(stdout);
    return seed;
}

void TryingInput(const std::string& name)
{
    static const bool installed = (SetUnhandledExceptionFilter(ReportTriedInput), true);
    (void)installed;
    std::snprintf(g_trying, sizeof(g_trying), "%s", name.c_str());
}
