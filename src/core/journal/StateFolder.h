#pragma once

#include "files/FileResult.h"

#include <string>

// The folder for the program's state (the run journal):
// $XDG_STATE_HOME/tarvik, or ~/.local/state/tarvik when that is unset or
// not absolute. Empty when neither variable gives a folder.
std::string DefaultStateFolder();

// Creates `strFolder` and any missing parents with mode 0700 (the journal
// holds the user's measurements); an existing folder is left as it is.
CFileResult MakeStateFolder(const std::string &strFolder);
