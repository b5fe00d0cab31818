#pragma once

#include <cstdlib>
#include <ctime>
#include <optional>
#include <string>

// Sets TZ for one test (nullptr: unset, as on a normal desktop) and puts
// the old value back afterwards.
class CScopedTz {
public:
  explicit CScopedTz(const char *tz) {
    if (const char *old = std::getenv("TZ"))
      m_old = old;
    if (tz)
      setenv("TZ", tz, 1);
    else
      unsetenv("TZ");
    tzset();
  }
  ~CScopedTz() {
    if (m_old)
      setenv("TZ", m_old->c_str(), 1);
    else
      unsetenv("TZ");
    tzset();
  }
  CScopedTz(const CScopedTz &) = delete;
  CScopedTz &operator=(const CScopedTz &) = delete;

private:
  std::optional<std::string> m_old;
};
