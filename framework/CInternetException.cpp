#include "CInternetException.h"

void AfxThrowInternetException(DWORD_PTR context, DWORD error)
{
    if (error == 0)
        error = ::GetLastError();
    throw new CInternetException(error, context);
}
