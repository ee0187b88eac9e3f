// Lets GoogleTest show the class library's strings as text in failure messages.
#pragma once

#include <ostream>

#include "CString.h"

inline void PrintTo(const CString& text, std::ostream* out)
{
    *out << '"' << ToNarrow(text, CP_UTF8).GetString() << '"';
}

inline void PrintTo(const CStringA& text, std::ostream* out)
{
    *out << '"' << text.GetString() << '"';
}
