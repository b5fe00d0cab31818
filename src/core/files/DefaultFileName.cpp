#include "files/DefaultFileName.h"

#include "records/LocalTimeText.h"

std::string DefaultFileName(const std::tm &t, const char *ext) {
  return FileNameStamp(CivilFromTm(t)) + ext;
}

std::tm LocalTimeNow() {
  std::time_t now = std::time(nullptr);
  std::tm t{};
  localtime_r(&now, &t);
  return t;
}
