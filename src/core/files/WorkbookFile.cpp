#include "files/WorkbookFile.h"
#include "files/ScopedCNumbers.h"

#include "files/AtomicFile.h"
#include "files/NumberText.h"
#include "files/ZipPartsCheck.h"
#include "records/SampleAcoustics.h"

#include <xlsxwriter.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <optional>
#include <string_view>
#include <system_error>

namespace {
constexpr const char *kDataSheet = "Dados";
constexpr const char *kChartSheet = "Gráfico";
constexpr std::size_t kProgressEvery = 8192;
constexpr lxw_col_t kColId = 0, kColUnit = 1, kColValue = 2, kColTime = 3;

bool LeapYear(int y) {
  return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

// "day-month-year,hour:minute:second" (any field unpadded) as the calendar
// fields of a date-time cell; nothing when a field is missing or out of
// range, so such a text stays text in the sheet.
std::optional<lxw_datetime> SampleDateTime(std::string_view text) {
  std::array<int, 6> f{};
  constexpr std::string_view kSeparators = "--,::";
  const char *p = text.data();
  const char *end = p + text.size();
  for (std::size_t i = 0; i < f.size(); ++i) {
    auto [next, ec] = std::from_chars(p, end, f[i]);
    if (ec != std::errc() || next == p)
      return std::nullopt;
    p = next;
    if (i < kSeparators.size()) {
      if (p == end || *p != kSeparators[i])
        return std::nullopt;
      ++p;
    }
  }
  if (p != end)
    return std::nullopt;
  const auto [day, month, year, hour, minute, second] = f;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  if (year < 1900 || year > 9999 || month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59 ||
      hour < 0 || minute < 0 || second < 0 || day < 1 ||
      day > kDays[month - 1] + (month == 2 && LeapYear(year) ? 1 : 0))
    return std::nullopt;
  return lxw_datetime{year, month, day, hour, minute, static_cast<double>(second)};
}

// Cells of the data sheet; the first failure is kept and later writes are skipped.
class CSheet {
public:
  CSheet(lxw_workbook *wb, lxw_worksheet *ws) : m_ws(ws) {
    m_pDate = workbook_add_format(wb);
    format_set_num_format(m_pDate, "dd-mm-yyyy hh:mm:ss");
    m_pLevel = workbook_add_format(wb);
    format_set_num_format(m_pLevel, "0.00");
    m_pFigure = workbook_add_format(wb);
    format_set_num_format(m_pFigure, "0.0");
    m_pDuration = workbook_add_format(wb);
    format_set_num_format(m_pDuration, "[h]:mm:ss");
    m_pHead = workbook_add_format(wb);
    format_set_bold(m_pHead);
  }

  void Text(lxw_row_t r, lxw_col_t c, const std::string &s, lxw_format *fmt = nullptr) {
    if (!s.empty())
      Check(worksheet_write_string(m_ws, r, c, s.c_str(), fmt));
  }
  // A number a spreadsheet cannot hold (infinite) is written as its text;
  // not a number leaves the cell empty.
  void Number(lxw_row_t r, lxw_col_t c, double d, lxw_format *fmt) {
    if (std::isfinite(d))
      Check(worksheet_write_number(m_ws, r, c, d, fmt));
    else if (!std::isnan(d))
      Text(r, c, d > 0 ? "inf" : "-inf");
  }
  // A sample's time as a date-time cell, or as text when it reads as none.
  void Time(lxw_row_t r, lxw_col_t c, const std::string &s) {
    if (std::optional<lxw_datetime> dt = SampleDateTime(s))
      DateTime(r, c, *dt);
    else
      Text(r, c, s);
  }
  void DateTime(lxw_row_t r, lxw_col_t c, lxw_datetime dt) {
    Check(worksheet_write_datetime(m_ws, r, c, &dt, m_pDate));
  }
  lxw_error Error() const { return m_err; }

  lxw_worksheet *m_ws;
  lxw_format *m_pDate, *m_pLevel, *m_pFigure, *m_pDuration, *m_pHead;

private:
  void Check(lxw_error e) {
    if (m_err == LXW_NO_ERROR)
      m_err = e;
  }
  lxw_error m_err = LXW_NO_ERROR;
};

void WriteStatistics(CSheet &sh, const CSampleArray &samples, const StatData &stat) {
  lxw_row_t r = 0;
  sh.Text(r, 0, "StartTime", sh.m_pHead);
  sh.Time(r++, 1, stat.strStartTime);
  const struct {
    const char *label;
    double dValue;
    const std::string &time, &unit;
  } extremes[] = {{"Max", stat.dMax, stat.strMaxTime, stat.strMaxUnit},
                  {"Min", stat.dMin, stat.strMinTime, stat.strMinUnit}};
  for (const auto &x : extremes) {
    sh.Text(r, 0, x.label, sh.m_pHead);
    sh.Number(r, 1, x.dValue, sh.m_pLevel);
    sh.Time(r, 2, x.time);
    sh.Text(r++, 3, x.unit);
  }
  sh.Text(r, 0, "Average", sh.m_pHead);
  sh.Number(r++, 1, stat.dAverage, sh.m_pLevel);
  const AcousticStats acoustics = SampleAcousticStats(samples, stat.dSampleRate);
  const std::vector<AcousticFigure> figures = AcousticFigures(acoustics, SampleLeqLabel(samples), "Duration");
  for (std::size_t i = 0; i < figures.size(); ++i) {
    sh.Text(r, 0, figures[i].strLabel, sh.m_pHead);
    if (i == kFigDuration)
      sh.Number(r++, 1, figures[i].dValue / 86400.0, sh.m_pDuration); // a spreadsheet counts time in days
    else
      sh.Number(r++, 1, figures[i].dValue, sh.m_pFigure);
  }
  sh.Text(r, 0, "SampleRate", sh.m_pHead);
  sh.Number(r, 1, stat.dSampleRate, sh.m_pLevel);
}

constexpr lxw_color_t kChartLineColour = 0x0000C0; // the graph's own blue, whatever the theme

// A scatter chart with straight lines: x is each sample's date-time value,
// so the curve spans the run however long it is (a line chart over date
// cells counts whole days and piles a short run onto one).
void AddChart(lxw_workbook *wb, const CSampleArray &samples) {
  lxw_chart *chart = workbook_add_chart(wb, LXW_CHART_SCATTER_STRAIGHT);
  lxw_chart_series *series = chart_add_series(chart, nullptr, nullptr);
  const auto first = static_cast<lxw_row_t>(kWorkbookFirstSampleRow);
  const auto last = static_cast<lxw_row_t>(kWorkbookFirstSampleRow + samples.GetSize() - 1);
  chart_series_set_categories(series, kDataSheet, first, kColTime, last, kColTime);
  chart_series_set_values(series, kDataSheet, first, kColValue, last, kColValue);
  chart_series_set_name_range(series, kDataSheet, first - 1, kColValue);
  lxw_chart_line line{};
  line.color = kChartLineColour;
  line.width = 1.25;
  chart_series_set_line(series, &line);
  chart_title_off(chart);
  chart_legend_set_position(chart, LXW_CHART_LEGEND_NONE);
  chart_axis_set_name(chart->y_axis, "dB");
  std::optional<lxw_datetime> start = SampleDateTime(samples[0].m_strTime);
  std::optional<lxw_datetime> end = SampleDateTime(samples[samples.GetSize() - 1].m_strTime);
  if (start && end) {
    const double dStart = lxw_datetime_to_excel_datetime(&*start);
    const double dEnd = lxw_datetime_to_excel_datetime(&*end);
    chart_axis_set_num_format(chart->x_axis, ChartTimeFormat(dEnd - dStart));
    if (dEnd > dStart) { // the axis from the first sample to the last
      chart_axis_set_min(chart->x_axis, dStart);
      chart_axis_set_max(chart->x_axis, dEnd);
    }
  }
  chartsheet_set_chart(workbook_add_chartsheet(wb, kChartSheet), chart);
}

lxw_error WriteFigureSheet(lxw_workbook *wb, const WorkbookSheet &sheet) {
  lxw_worksheet *ws = workbook_add_worksheet(wb, sheet.strName.c_str());
  if (!ws)
    return LXW_ERROR_MEMORY_MALLOC_FAILED;
  CSheet sh(wb, ws);
  lxw_format *decimals[3] = {sh.m_pLevel, sh.m_pFigure, nullptr};
  decimals[2] = workbook_add_format(wb);
  format_set_num_format(decimals[2], "0");
  worksheet_set_column(ws, 0, static_cast<lxw_col_t>(std::max<std::size_t>(sheet.heads.size(), 2) - 1), 20,
                       nullptr);
  for (std::size_t c = 0; c < sheet.heads.size(); ++c)
    sh.Text(0, static_cast<lxw_col_t>(c), sheet.heads[c], sh.m_pHead);
  for (std::size_t r = 0; r < sheet.rows.size(); ++r) {
    const auto row = static_cast<lxw_row_t>(r + (sheet.heads.empty() ? 0 : 1));
    for (std::size_t c = 0; c < sheet.rows[r].size(); ++c) {
      const WorkbookCell &cell = sheet.rows[r][c];
      const auto col = static_cast<lxw_col_t>(c);
      if (cell.kind == WorkbookCell::Kind::Text) {
        sh.Text(row, col, cell.strText);
      } else if (cell.kind == WorkbookCell::Kind::Number) {
        sh.Number(row, col, cell.dValue, decimals[cell.nDecimals >= 2 ? 0 : cell.nDecimals == 1 ? 1 : 2]);
      } else if (cell.kind == WorkbookCell::Kind::DateTime) {
        const CivilFields f = FromCivilSeconds(cell.t);
        lxw_datetime dt{f.nYear, f.nMonth, f.nDay, f.nHour, f.nMinute, static_cast<double>(f.nSecond)};
        sh.DateTime(row, col, dt);
      }
    }
  }
  return sh.Error();
}

std::string Reason(lxw_error e, int nErr) {
  std::string s = lxw_strerror(e);
  if (nErr != 0)
    s += " (" + std::error_code(nErr, std::generic_category()).message() + ")";
  return s;
}
} // namespace

const char *ChartTimeFormat(double dSpanDays) {
  return dSpanDays < 1.0 ? "hh:mm:ss" : "dd-mm-yyyy hh:mm";
}

CFileResult WriteWorkbookFile(const std::string &strPath, const CSampleArray &samples, const StatData &stat,
                              const ProgressFn &progress, std::span<const WorkbookSheet> extraSheets) {
  const std::size_t n = samples.GetSize();
  if (n > kWorkbookMaxSamples) {
    std::string reason = "A worksheet holds at most ";
    AppendInt(reason, static_cast<long long>(kWorkbookMaxSamples));
    reason += " samples; this set has ";
    AppendInt(reason, static_cast<long long>(n));
    return CFileResult::Failure(strPath, reason + ". Export it as Data File(*.xls) instead.");
  }
  CAtomicFile file;
  CFileResult res = file.Open(strPath);
  if (!res.Ok())
    return res;
  const CScopedCNumbers cNumbers;

  // Rows go out in order, so the sheet need not be held in memory.
  lxw_workbook_options options{LXW_TRUE, nullptr, LXW_FALSE};
  lxw_workbook *wb = workbook_new_opt(file.TempPath().c_str(), &options);
  lxw_worksheet *ws = wb ? workbook_add_worksheet(wb, kDataSheet) : nullptr;
  if (!ws) {
    if (wb)
      lxw_workbook_free(wb);
    return CFileResult::Failure(strPath, Reason(LXW_ERROR_MEMORY_MALLOC_FAILED, errno));
  }
  CSheet sh(wb, ws);
  worksheet_set_column(ws, 0, 0, 12, nullptr);
  worksheet_set_column(ws, 1, 2, 20, nullptr);
  worksheet_set_column(ws, 3, 3, 20, nullptr);
  WriteStatistics(sh, samples, stat);
  const auto head = static_cast<lxw_row_t>(kWorkbookFirstSampleRow - 1);
  sh.Text(head, kColId, "ID", sh.m_pHead);
  sh.Text(head, kColUnit, "Unit", sh.m_pHead);
  sh.Text(head, kColValue, "Value", sh.m_pHead);
  sh.Text(head, kColTime, "DateTime", sh.m_pHead);
  for (std::size_t i = 0; i < n && sh.Error() == LXW_NO_ERROR; ++i) {
    const CObjData &rec = samples[i];
    const auto r = static_cast<lxw_row_t>(kWorkbookFirstSampleRow + i);
    sh.Number(r, kColId, static_cast<double>(i + 1), nullptr);
    sh.Text(r, kColUnit, rec.m_strUnit);
    sh.Number(r, kColValue, rec.m_dValue, sh.m_pLevel);
    sh.Time(r, kColTime, rec.m_strTime);
    if (progress && (i + 1) % kProgressEvery == 0 && !progress(i + 1, n)) {
      lxw_workbook_free(wb);
      return {CFileResult::Status::Cancelled, strPath, {}, {}};
    }
  }
  lxw_error eSheets = sh.Error();
  for (const WorkbookSheet &extra : extraSheets)
    if (eSheets == LXW_NO_ERROR)
      eSheets = WriteFigureSheet(wb, extra);
  if (eSheets != LXW_NO_ERROR) {
    lxw_workbook_free(wb);
    return CFileResult::Failure(strPath, Reason(eSheets, 0));
  }
  if (n > 0)
    AddChart(wb, samples);
  errno = 0;
  const lxw_error e = workbook_close(wb); // writes the whole file and frees the workbook
  if (e != LXW_NO_ERROR)
    return CFileResult::Failure(strPath, Reason(e, errno)); // `file` removes what was written
  // The library does not notice when its temporary files run out of room.
  if (std::string strDamage = CheckZipXmlParts(file.TempPath()); !strDamage.empty())
    return CFileResult::Failure(strPath, strDamage);
  return file.Commit();
}
