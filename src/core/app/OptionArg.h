#pragma once

#include <string>
#include <string_view>

// One argument of a program's command line: "--name=value" is split, and
// the value comes from after '=' or from the next argument.
class COptionArg {
public:
  // `i` is the argument's index; taking the next argument as the value moves it on.
  COptionArg(int argc, const char *const *argv, int &i);

  std::string_view Name() const { return m_name; }
  // False, with the reason in `strError`, when the option has no value.
  bool Value(std::string_view &out, std::string &strError);
  // For an option whose value may be left out: after '=', or a next
  // argument that is not an option; false when there is none.
  bool OptionalValue(std::string_view &out);

private:
  int m_argc;
  const char *const *m_argv;
  int &m_i;
  std::string_view m_name;
  std::string_view m_inline;
  bool m_bInline = false;
};
