#pragma once

#include "graph/ColorConfig.h"

#include <QString>

// ColorConfig.ini in the user's configuration folder for this program, or
// the bare file name when there is no such folder. With bCreateFolder the
// folder is made when missing.
QString ColorConfigPath(bool bCreateFolder = false);

GraphColors LoadGraphColors();
// Empty on success, else why the file could not be written.
QString SaveGraphColors(const GraphColors &colors);
