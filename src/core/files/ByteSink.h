#pragma once

#include <string>
#include <string_view>

// Where a file format writes its bytes: a file on disk or a string in tests.
class CByteSink {
public:
  virtual ~CByteSink() = default;
  // False once the bytes could not be taken; later calls keep failing.
  virtual bool Append(std::string_view bytes) = 0;
};

class CStringSink : public CByteSink {
public:
  bool Append(std::string_view bytes) override {
    m_str.append(bytes);
    return true;
  }
  std::string m_str;
};
