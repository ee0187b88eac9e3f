// A program built like the installer (GUI, -municode, only an application object): its exit code
// is 0 when the runtime reached wWinMain and the object saw the command line "-client".
#include "CWinApp.h"

#include <cwchar>

class EntryPointApp : public CWinApp {
public:
    BOOL InitInstance() override
    {
        m_sawClient = wcscmp(m_lpCmdLine, L"-client") == 0;
        return FALSE;
    }
    int ExitInstance() override { return m_sawClient ? 0 : 3; }

private:
    bool m_sawClient = false;
};

EntryPointApp theApp;
