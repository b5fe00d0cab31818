#include "logger/RecordingFiles.h"

#include "files/TextDataFile.h"
#include "logger/AppendingDataFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

namespace {
// Reads "d-m-y,h:m:s" with plain digit runs; false unless all six are there.
bool ReadTimeText(const std::string &s, int v[6]) {
  std::size_t i = 0;
  for (int k = 0; k < 6; ++k) {
    if (i >= s.size() || s[i] < '0' || s[i] > '9')
      return false;
    int n = 0;
    for (int nDigits = 0; i < s.size() && s[i] >= '0' && s[i] <= '9' && nDigits < 5; ++i, ++nDigits)
      n = n * 10 + (s[i] - '0');
    v[k] = n;
    if (k < 5) {
      if (i >= s.size() || s[i] != (k < 2 ? '-' : k == 2 ? ',' : ':'))
        return false;
      ++i;
    }
  }
  return true;
}
} // namespace

std::string RecordingFileName(const std::string &strTime) {
  int v[6];
  if (!ReadTimeText(strTime, v))
    return {};
  char buf[64];
  std::snprintf(buf, sizeof buf, "%04d-%02d-%02d_%02d-%02d-%02d.txt", v[2], v[1], v[0], v[3], v[4], v[5]);
  return buf;
}

CRecordingFilesResult WriteRecordingFiles(const CSampleStore &store, const std::string &strDir) {
  CRecordingFilesResult out;
  std::error_code ec;
  std::filesystem::create_directories(strDir, ec);
  if (ec) {
    out.result = CFileResult::Failure(strDir, ec.message());
    return out;
  }
  std::size_t i = 0;
  while (i < store.GetSize()) {
    std::size_t end = i;
    CSampleSelection rec;
    while (end < store.GetSize() && store.Group(end) == store.Group(i))
      ++end;
    rec.AddRange(store, i, end - i);
    std::string name = RecordingFileName(store.Time(i));
    if (name.empty())
      name = "recording-" + std::to_string(store.Group(i)) + ".txt";
    std::string base = (std::filesystem::path(strDir) / name).string();
    CStringSink bytes;
    WriteTextData(bytes, CSampleArray(rec));
    for (int n = 0; n <= CAppendingDataFile::kMaxSuffix; ++n) {
      std::string path = n == 0 ? base : CAppendingDataFile::SuffixedName(base, n);
      std::string existing;
      if (std::filesystem::exists(path, ec)) {
        if (ReadWholeFile(path, existing).Ok() && existing == bytes.m_str) {
          out.kept.push_back(path);
          break;
        }
        continue;
      }
      CFileResult res = WriteTextDataFile(path, CSampleArray(rec));
      if (!res.Ok()) {
        out.result = res;
        return out;
      }
      out.written.push_back(path);
      break;
    }
    i = end;
  }
  out.result = CFileResult::Success(strDir);
  return out;
}
