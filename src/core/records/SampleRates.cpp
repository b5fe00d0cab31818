#include "records/SampleRates.h"

#include "records/AcousticStats.h"

std::string RateTextOneDecimal(std::size_t nIndex) {
  return FormatDecibels(kSampleRates[nIndex]); // fixed, one decimal
}

int RateIndex(double dSampleRate) {
  const std::string text = FormatDecibels(dSampleRate);
  for (std::size_t i = 0; i < kSampleRates.size(); ++i)
    if (RateTextOneDecimal(i) == text)
      return static_cast<int>(i);
  return -1;
}
