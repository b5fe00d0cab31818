#pragma once

#include "files/FileResult.h"

#include <optional>
#include <string>

// The port the user chose by hand, kept in the settings file (beside the
// graph colours) so that the next start, the one after a crash included,
// opens it again. Choosing automatic selection forgets it.
inline constexpr const char *kPortSection = "Vomo_PORT";
inline constexpr const char *kChosenPortKey = "MANUAL";

// The port number (0 to 256), or none when none was chosen or the value is
// not a port number.
std::optional<int> ReadChosenPort(const std::string &strSettingsPath);
// Keeps `port`, or forgets the choice when it is none; the rest of the
// file stays as it is.
CFileResult WriteChosenPort(const std::string &strSettingsPath, std::optional<int> port);
