#include "graph/ColorConfig.h"

#include "files/IniFile.h"

#include <string>

namespace {
GraphColor ReadColor(const CIniFile &ini, const char *section, GraphColor def) {
  auto part = [&](const char *key, int nDefault) {
    return static_cast<int>(ini.GetInt(section, key, nDefault) & 255);
  };
  return MakeGraphColor(part(kRedKey, RedOf(def)), part(kGreenKey, GreenOf(def)),
                        part(kBlueKey, BlueOf(def)));
}

void SetColor(CIniFile &ini, const char *section, GraphColor c) {
  ini.Set(section, kRedKey, std::to_string(RedOf(c)));
  ini.Set(section, kGreenKey, std::to_string(GreenOf(c)));
  ini.Set(section, kBlueKey, std::to_string(BlueOf(c)));
}
} // namespace

GraphColors ReadColorConfig(const std::string &strPath) {
  const CIniFile ini = CIniFile::Load(strPath);
  const GraphColors def;
  GraphColors c;
  c.bk = ReadColor(ini, kBkSection, def.bk);
  c.grid = ReadColor(ini, kGridSection, def.grid);
  c.line = ReadColor(ini, kLineSection, def.line);
  return c;
}

ConfigWriteResult WriteColorConfig(const std::string &strPath, const GraphColors &colors) {
  CIniFile ini = CIniFile::Load(strPath);
  SetColor(ini, kBkSection, colors.bk);
  SetColor(ini, kGridSection, colors.grid);
  SetColor(ini, kLineSection, colors.line);
  ConfigWriteResult r;
  r.bOk = ini.Save(strPath, r.strError);
  return r;
}
