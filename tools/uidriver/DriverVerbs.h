// The UI driver's actions, one per verb of its command line.
#pragma once

#include "DriverOptions.h"

// Runs the verb; 0 on success, 1 on failure (the reason goes to the standard error).
int RunDriverVerb(const DriverOptions& options);
