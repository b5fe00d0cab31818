#pragma once

#include <QString>

// ColorConfig.ini in the user's configuration folder for this program, or
// the bare file name when there is no such folder. With bCreateFolder the
// folder is made when missing. Colours, the chosen port and the dialogs'
// folders are all kept there.
QString ColorConfigPath(bool bCreateFolder = false);
