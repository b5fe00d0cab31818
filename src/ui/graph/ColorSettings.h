#pragma once

#include "graph/ColorConfig.h"
#include "kit/SettingsFile.h"

#include <QString>

GraphColors LoadGraphColors();
// Empty on success, else why the file could not be written.
QString SaveGraphColors(const GraphColors &colors);
