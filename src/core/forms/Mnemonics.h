#pragma once

#include <string>
#include <vector>

// Texts of one menu or one dialog's buttons, each with its Alt letter marked
// by "&": the first letter no other text of the group has taken. A text that
// already marks one keeps it; one with no free letter stays as it is.
std::vector<std::string> WithMnemonics(const std::vector<std::string> &texts);
