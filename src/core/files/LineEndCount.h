#pragma once

#include <cstddef>
#include <string_view>

// The line ends of a file handed over in pieces: LFs, and CRs that end a
// line alone (not the CR of a CR LF).
class CLineEndCount {
public:
  void Add(std::string_view bytes);
  std::size_t Lines() const { return m_nLf + m_nLoneCr + m_bCrLast; }
  // Only then must a line be searched for a CR as well as an LF.
  bool AnyLoneCr() const { return m_nLoneCr > 0 || m_bCrLast; }

private:
  std::size_t m_nLf = 0, m_nLoneCr = 0;
  bool m_bCrLast = false;
};
