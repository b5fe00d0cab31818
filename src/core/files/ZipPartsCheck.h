#pragma once

#include <string>

// Reads a zip container back and inflates its XML parts to see that each
// one is whole: its size is the one recorded and its root element closes.
// A writer whose temporary files ran out of room can zip parts cut short
// without noticing. Empty when every part is whole, otherwise why not.
std::string CheckZipXmlParts(const std::string &strPath);
