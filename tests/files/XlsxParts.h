#pragma once

#include <charconv>
#include <cmath>
#include <cstdio>
#include <map>
#include <regex>
#include <string>
#include <vector>

// Reads a written workbook back the way a spreadsheet program would: the
// zip parts through unzip, the cells and number formats from their XML.
inline std::string UnzipPart(const std::string &xlsx, const std::string &part) {
  std::string out;
  const std::string cmd = "unzip -p '" + xlsx + "' '" + part + "' 2>/dev/null";
  if (FILE *p = ::popen(cmd.c_str(), "r")) {
    char buf[65536];
    std::size_t n = 0;
    while ((n = std::fread(buf, 1, sizeof buf, p)) > 0)
      out.append(buf, n);
    ::pclose(p);
  }
  return out;
}

struct XlsxCell {
  std::string strValue; // the number as written, or the text
  bool bText = false;
  int nStyle = 0;
  // The number as a spreadsheet reads it: a full stop, whatever the locale;
  // NaN when the text is not wholly a number ("72,4").
  double Number() const {
    double d = 0;
    const auto [end, ec] = std::from_chars(strValue.data(), strValue.data() + strValue.size(), d);
    return ec == std::errc() && end == strValue.data() + strValue.size() && !strValue.empty() ? d
                                                                                              : std::nan("");
  }
};

// Cells by reference ("D14") of one worksheet part.
inline std::map<std::string, XlsxCell> XlsxCells(const std::string &sheetXml) {
  std::map<std::string, XlsxCell> cells;
  static const std::regex cell(R"re(<c r="([A-Z]+[0-9]+)"([^>]*?)(/>|>(.*?)</c>))re");
  static const std::regex style(R"re(s="([0-9]+)")re");
  static const std::regex number(R"re(<v>([^<]*)</v>)re");
  static const std::regex text(R"re(<t[^>]*>([^<]*)</t>)re");
  for (auto it = std::sregex_iterator(sheetXml.begin(), sheetXml.end(), cell); it != std::sregex_iterator();
       ++it) {
    XlsxCell c;
    const std::string attrs = (*it)[2], body = (*it)[4];
    std::smatch m;
    if (std::regex_search(attrs, m, style))
      c.nStyle = std::stoi(m[1]);
    if (attrs.find("t=\"inlineStr\"") != std::string::npos && std::regex_search(body, m, text)) {
      c.bText = true;
      c.strValue = m[1];
    } else if (std::regex_search(body, m, number)) {
      c.strValue = m[1];
    }
    cells[(*it)[1]] = c;
  }
  return cells;
}

// The number format code of each cell style index.
inline std::vector<std::string> XlsxStyleFormats(const std::string &stylesXml) {
  std::map<std::string, std::string> codes{{"0", "General"}};
  static const std::regex fmt(R"re(<numFmt numFmtId="([0-9]+)" formatCode="([^"]*)")re");
  for (auto it = std::sregex_iterator(stylesXml.begin(), stylesXml.end(), fmt); it != std::sregex_iterator();
       ++it)
    codes[(*it)[1]] = (*it)[2];
  std::vector<std::string> out;
  const auto xfsAt = stylesXml.find("<cellXfs");
  const std::string xfs = stylesXml.substr(xfsAt, stylesXml.find("</cellXfs>", xfsAt) - xfsAt);
  static const std::regex xf(R"re(<xf numFmtId="([0-9]+)")re");
  for (auto it = std::sregex_iterator(xfs.begin(), xfs.end(), xf); it != std::sregex_iterator(); ++it)
    out.push_back(codes.count((*it)[1]) ? codes[(*it)[1]] : "builtin " + std::string((*it)[1]));
  return out;
}
