#pragma once

#include <array>

// The folder each kind of file dialog was last used in, kept in the settings
// file (beside the chosen port and the graph colours) so that the next start
// of the program opens its dialogs where the user last was.
enum class EFolderKind { Open, Save, Export, Print };

inline constexpr const char *kFolderSection = "Vomo_FOLDER";
// Indexed by EFolderKind.
inline constexpr std::array<const char *, 4> kFolderKeys = {"OPEN", "SAVE", "EXPORT", "PRINT"};
