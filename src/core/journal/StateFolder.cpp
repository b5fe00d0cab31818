#include "journal/StateFolder.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sys/stat.h>

std::string DefaultStateFolder() {
  const char *state = std::getenv("XDG_STATE_HOME");
  if (state && state[0] == '/')
    return std::string(state) + "/tarvik";
  const char *home = std::getenv("HOME");
  if (home && home[0] == '/')
    return std::string(home) + "/.local/state/tarvik";
  return {};
}

CFileResult MakeStateFolder(const std::string &strFolder) {
  if (strFolder.empty())
    return CFileResult::Failure(strFolder, "no state folder (neither XDG_STATE_HOME nor HOME is set)");
  for (std::size_t nPos = 1; nPos <= strFolder.size(); ++nPos) {
    if (nPos < strFolder.size() && strFolder[nPos] != '/')
      continue;
    const std::string strPart = strFolder.substr(0, nPos);
    if (::mkdir(strPart.c_str(), 0700) != 0 && errno != EEXIST)
      return CFileResult::Failure(strPart, std::string("cannot create the folder: ") + std::strerror(errno));
  }
  struct stat st {};
  if (::stat(strFolder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
    return CFileResult::Failure(strFolder, "not a folder");
  return CFileResult::Success(strFolder);
}
