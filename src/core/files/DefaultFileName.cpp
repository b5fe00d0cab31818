#include "files/DefaultFileName.h"

#include "files/NumberText.h"

std::string DefaultFileName(const std::tm &t, const char *ext) {
  std::string s;
  AppendInt(s, t.tm_year + 1900);
  s += '-';
  AppendInt(s, t.tm_mon + 1);
  s += '-';
  AppendInt(s, t.tm_mday);
  s += ' ';
  AppendInt(s, t.tm_hour);
  s += '-';
  AppendInt(s, t.tm_min);
  s += ext;
  return s;
}

std::tm LocalTimeNow() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return t;
}
