#pragma once

#include "print/PageImage.h"
#include "print/PrintCommands.h"

// Starts the job on the chosen printer; tells the user when it cannot.
bool BeginPrintJob(CPrintRX &job, const PrintHost &host);

// The host's clock, or the system's, as local calendar time.
PrintTime PrintNow(const PrintHost &host);
