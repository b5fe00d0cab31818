#pragma once

#include "sim/SimRecording.h"

#include <string>
#include <vector>

// Recordings for the simulated meter's data-logger memory.

// From a text data file: each recording number becomes one recording,
// starting at its first sample's time, with the file's sample rate as its
// interval. False with the reason when the file cannot be used.
bool LoadSimRecordings(const std::string &strPath, std::vector<CSimRecording> &recs, std::string &strError);

// nCount made-up recordings of nLevels levels each, on alternating weightings.
std::vector<CSimRecording> GenerateSimRecordings(int nCount, int nLevels);
