#include "meter/CommandSet.h"

namespace {

int FieldValue(CKeyWatch::EField field, const CMeterReading &st) {
  switch (field) {
  case CKeyWatch::kRec:
    return st.m_bRec;
  case CKeyWatch::kMin:
    return st.m_bMin;
  case CKeyWatch::kMax:
    return st.m_bMax;
  case CKeyWatch::kFast:
    return st.m_bFast;
  case CKeyWatch::kRange:
    return st.m_nRange;
  case CKeyWatch::kWeightA:
    return st.m_bWeightA;
  case CKeyWatch::kNone:
    break;
  }
  return 0;
}

} // namespace

std::optional<CKeyWatch> TakeKeyWatch(int nKey, const CMeterReading &st) {
  if (!IsMeterKey(nKey))
    return std::nullopt;
  static const CKeyWatch::EField fields[kMeterKeyCount] = {CKeyWatch::kNone,  CKeyWatch::kRec,
                                                           CKeyWatch::kMax,   CKeyWatch::kFast,
                                                           CKeyWatch::kRange, CKeyWatch::kWeightA};
  CKeyWatch w;
  w.m_nKey = nKey;
  w.m_field = fields[nKey];
  if (nKey == kKeyMaxMin && st.m_bMin)
    w.m_field = CKeyWatch::kMin;
  w.m_nValue = FieldValue(w.m_field, st);
  return w;
}

bool KeyTookEffect(const CKeyWatch &watch, const CMeterReading &st) {
  if (watch.m_field == CKeyWatch::kNone)
    return false;
  return FieldValue(watch.m_field, st) != watch.m_nValue;
}
