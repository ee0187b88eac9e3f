// The two registered messages, registered once when the program starts.
#include "uiEngineMessages.h"

const UINT uiReflectMsg = RegisterWindowMessageW(L"{F6D19392-00E6-4bd5-B01F-EDADF841B17C}");
const UINT uiProbeMsg = RegisterWindowMessageW(L"{FA0CA08B-3AC9-4f22-8079-5A805441A3A7}");
