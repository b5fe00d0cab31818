#include "serial/ChosenPort.h"

#include "files/IniFile.h"

std::optional<int> ReadChosenPort(const std::string &strSettingsPath) {
  const CIniFile ini = CIniFile::Load(strSettingsPath);
  const std::optional<std::string> value = ini.Get(kPortSection, kChosenPortKey);
  if (!value || value->find_first_of("0123456789") == std::string::npos)
    return std::nullopt;
  const long long n = ini.GetInt(kPortSection, kChosenPortKey, -1);
  if (n < 0 || n > 256)
    return std::nullopt;
  return static_cast<int>(n);
}

CFileResult WriteChosenPort(const std::string &strSettingsPath, std::optional<int> port) {
  CIniFile ini = CIniFile::Load(strSettingsPath);
  ini.Set(kPortSection, kChosenPortKey, port ? std::to_string(*port) : std::string());
  std::string strError;
  if (!ini.Save(strSettingsPath, strError))
    return CFileResult::Failure(strSettingsPath, strError);
  return CFileResult::Success(strSettingsPath);
}
