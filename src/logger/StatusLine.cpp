#include "logger/StatusLine.h"

#include "files/NumberText.h"

std::string StatusLineText(const CStatusInfo &info) {
  std::string s = "\r";
  if (info.bHaveLevel) {
    AppendFixed(s, info.dLevel, 1, 5);
    s += info.bWeightA ? " dBA" : " dBC";
  } else {
    s += "  --.- dB ";
  }
  s += "  ";
  s += info.strLeqName;
  s += ' ';
  if (info.nSamples > 0)
    AppendFixed(s, info.dLeq, 1);
  else
    s += "--.-";
  s += "  ";
  AppendInt(s, static_cast<long long>(info.nSamples));
  s += info.nSamples == 1 ? " sample  " : " samples  ";
  s += info.strConnection;
  s += "\x1b[K";
  return s;
}
