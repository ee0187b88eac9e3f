// Ids of the UI driver's test dialog (read by the resource compiler too).
#pragma once
#define DEMO_DIALOG 100
#define DEMO_ASK 1001
#define DEMO_OPTION 1002
#define DEMO_STATE 1003
#define DEMO_CLOSE 1004
