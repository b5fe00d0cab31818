#include "sim/SimRecordingFile.h"

#include "files/TextDataFile.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <map>

bool LoadSimRecordings(const std::string &strPath, std::vector<CSimRecording> &recs, std::string &strError) {
  std::string bytes;
  CFileResult r = ReadWholeFile(strPath, bytes);
  if (!r.Ok()) {
    strError = strPath + ": " + r.strReason;
    return false;
  }
  CTextDataContent content = ParseTextData(bytes);
  if (!content.result.Ok()) {
    strError = strPath + ": not a data file";
    return false;
  }
  std::map<int, CSimRecording> byGroup;
  for (std::size_t i = 0; i < content.samples.GetSize(); ++i) {
    const CObjData s = content.samples[i];
    auto [it, bNew] = byGroup.try_emplace(s.m_nGroup);
    CSimRecording &rec = it->second;
    if (bNew) {
      int d = 1, mo = 1, y = 2026, h = 0, mi = 0, se = 0;
      std::sscanf(s.m_strTime.c_str(), "%d-%d-%d,%d:%d:%d", &d, &mo, &y, &h, &mi, &se);
      rec.m_nDay = d;
      rec.m_nMonth = mo;
      rec.m_nYear = y;
      rec.m_nHour = std::clamp(h, 0, 23);
      rec.m_nMinute = std::clamp(mi, 0, 59);
      rec.m_nSecond = std::clamp(se, 0, 59);
      rec.m_bWeightA = s.m_strUnit != "dBC";
      // The logger counts whole seconds; sub-second rates become one second.
      rec.m_nInterval = std::clamp(static_cast<int>(std::lround(content.dSampleRate)), 1, 99);
    }
    rec.m_levels.push_back(s.m_dValue);
  }
  recs.clear();
  for (auto &[n, rec] : byGroup)
    recs.push_back(std::move(rec));
  if (recs.empty()) {
    strError = strPath + ": no samples";
    return false;
  }
  return true;
}

std::vector<CSimRecording> GenerateSimRecordings(int nCount, int nLevels) {
  std::vector<CSimRecording> recs;
  for (int r = 0; r < nCount; ++r) {
    CSimRecording rec;
    rec.m_bWeightA = r % 2 == 0;
    rec.m_nYear = 2026;
    rec.m_nMonth = 3;
    rec.m_nDay = 1 + r % 28;
    rec.m_nHour = (9 + 2 * r) % 24;
    rec.m_nMinute = (7 * r) % 60;
    rec.m_nInterval = 1 + r % 5;
    for (int i = 0; i < nLevels; ++i)
      rec.m_levels.push_back(std::round((55.0 + 15.0 * std::sin(0.2 * i + r)) * 10.0) / 10.0);
    recs.push_back(std::move(rec));
  }
  return recs;
}
