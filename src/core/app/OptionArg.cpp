#include "app/OptionArg.h"

COptionArg::COptionArg(int argc, const char *const *argv, int &i)
    : m_argc(argc), m_argv(argv), m_i(i), m_name(argv[i]) {
  const std::size_t nEq = m_name.find('=');
  if (m_name.starts_with("--") && nEq != std::string_view::npos) {
    m_inline = m_name.substr(nEq + 1);
    m_name = m_name.substr(0, nEq);
    m_bInline = true;
  }
}

bool COptionArg::Value(std::string_view &out, std::string &strError) {
  if (m_bInline) {
    out = m_inline;
    return true;
  }
  if (m_i + 1 >= m_argc) {
    strError = std::string(m_name) + " needs a value";
    return false;
  }
  out = m_argv[++m_i];
  return true;
}

bool COptionArg::OptionalValue(std::string_view &out) {
  if (m_bInline) {
    out = m_inline;
    return true;
  }
  if (m_i + 1 >= m_argc || std::string_view(m_argv[m_i + 1]).starts_with("-"))
    return false;
  out = m_argv[++m_i];
  return true;
}
