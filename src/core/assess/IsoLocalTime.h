#pragma once

#include "records/CivilTime.h"

#include <string>

// Clock-face times as ISO 8601 local time with the zone's offset
// ("2026-12-08T10:15:00+01:00"). The offset is asked of the C library once
// per hour of the clock, not once per time.
class CIsoLocalTime {
public:
  void Append(std::string &out, CivilSeconds t);
  std::string operator()(CivilSeconds t) {
    std::string s;
    Append(s, t);
    return s;
  }

private:
  long OffsetSeconds(CivilSeconds t);
  CivilSeconds m_tHour = -1;
  long m_nOffset = 0;
  bool m_bHave = false;
};
