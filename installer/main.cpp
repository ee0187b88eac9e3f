// The installer's one application object; the class library's entry point drives it.
#include "InstallerApp.h"

CInstallerApp theApp;
