#include "files/SpreadsheetFile.h"

#include "files/AtomicFile.h"
#include "files/ChunkedWrite.h"
#include "files/NumberText.h"
#include "records/SampleAcoustics.h"

namespace {
constexpr std::string_view kEnd = "\t\r\n";

void AppendExtreme(std::string &out, const char *label, double dValue, const std::string &time,
                   const std::string &unit, bool bTrailingBlank) {
  out += label;
  out += '\t';
  AppendFixed(out, dValue, 2);
  out += " @ ";
  out += time;
  out += "  ";
  out += unit;
  if (bTrailingBlank)
    out += ' ';
  out += kEnd;
}
} // namespace

std::string SpreadsheetHead(const StatData &stat, SheetVariant variant) {
  std::string s = "StartTime\t";
  s += stat.strStartTime;
  s += kEnd;
  AppendExtreme(s, "Max", stat.dMax, stat.strMaxTime, stat.strMaxUnit, variant == SheetVariant::DataLogger);
  AppendExtreme(s, "Min", stat.dMin, stat.strMinTime, stat.strMinUnit, false);
  s += "Average\t";
  AppendFixed(s, stat.dAverage, 2);
  s += kEnd;
  s += "SampleRate\t";
  AppendFixed(s, stat.dSampleRate, 2);
  s += kEnd;
  s += "ID\tUnit\tValue\tDateTime";
  s += kEnd;
  return s;
}

void AppendSpreadsheetFigures(std::string &out, const CSampleArray &samples, double dSampleRate) {
  const AcousticStats stats = SampleAcousticStats(samples, dSampleRate);
  if (stats.nCount == 0)
    return;
  out += "\r\n";
  for (const AcousticFigure &f : AcousticFigures(stats, SampleLeqLabel(samples), "Duration")) {
    out += f.strLabel;
    out += '\t';
    out += f.strText;
    out += kEnd;
  }
}

void AppendSpreadsheetRow(std::string &out, std::size_t nNumber, const CObjData &rec) {
  AppendInt(out, static_cast<long long>(nNumber));
  out += '\t';
  out += rec.m_strUnit;
  out += '\t';
  AppendFixed(out, rec.m_dValue, 2);
  out += '\t';
  out += rec.m_strTime;
  out += kEnd;
}

bool WriteSpreadsheet(CByteSink &sink, const CSampleArray &samples, const StatData &stat,
                      SheetVariant variant, const ProgressFn &progress, bool *pbCancelled) {
  if (pbCancelled)
    *pbCancelled = false;
  const std::size_t n = samples.GetSize();
  if (n == 0)
    return true;
  std::string chunk = SpreadsheetHead(stat, variant);
  const ChunkedWriteEnd end = WriteRowsInChunks(
      sink, chunk, n,
      [&samples](std::string &out, std::size_t i) { AppendSpreadsheetRow(out, i + 1, samples[i]); },
      progress);
  if (end == ChunkedWriteEnd::Cancelled && pbCancelled)
    *pbCancelled = true;
  if (end != ChunkedWriteEnd::Written)
    return false;
  AppendSpreadsheetFigures(chunk, samples, stat.dSampleRate);
  return sink.Append(chunk);
}

CFileResult WriteSpreadsheetFile(const std::string &strPath, const CSampleArray &samples,
                                 const StatData &stat, SheetVariant variant, const ProgressFn &progress) {
  CAtomicFile file;
  CFileResult res = file.Open(strPath);
  if (!res.Ok())
    return res;
  bool bCancelled = false;
  if (!WriteSpreadsheet(file, samples, stat, variant, progress, &bCancelled)) {
    file.Discard();
    if (bCancelled)
      return {CFileResult::Status::Cancelled, strPath, {}, {}};
    return file.Error();
  }
  return file.Commit();
}
