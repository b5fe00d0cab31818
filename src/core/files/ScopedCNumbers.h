#pragma once

#include <locale.h>

// Numbers printed by C libraries on this thread use a full stop while this
// lives, whatever locale the program set (Qt sets the user's, and a comma
// in an XML number breaks the workbook). Other threads keep theirs.
class CScopedCNumbers {
public:
  CScopedCNumbers()
      : m_c(newlocale(LC_NUMERIC_MASK, "C", duplocale(LC_GLOBAL_LOCALE))),
        m_previous(m_c ? uselocale(m_c) : nullptr) {}
  ~CScopedCNumbers() {
    if (m_c) {
      uselocale(m_previous);
      freelocale(m_c);
    }
  }
  CScopedCNumbers(const CScopedCNumbers &) = delete;
  CScopedCNumbers &operator=(const CScopedCNumbers &) = delete;

private:
  locale_t m_c;
  locale_t m_previous;
};
