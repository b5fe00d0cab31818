// Everything a user can read from a set of samples, compared byte for byte
// with what the program produced before the sample store was made compact:
// data files, spreadsheet exports, table texts, the data logger window's
// list and read-outs, printed pages and graph pictures. Set
// TARVIK_WRITE_GOLDEN=1 to write the files afresh (only on purpose).
#include "../print/PdfPages.h"
#include "records/SampleArray.h"
#include "support/ScriptedPrompts.h"

#include "datalog/DataLogDlg.h"
#include "files/SpreadsheetFile.h"
#include "files/TextDataFile.h"
#include "forms/DataLogTemplate.h"
#include "graph/GraphicsBtn.h"
#include "kit/DialogBuilder.h"
#include "meter/HexText.h"
#include "meter/LogParser.h"
#include "monitor/SampleTableModel.h"
#include "print/PrintCommands.h"
#include "print/PrintRX.h"
#include "sim/SimWire.h"

#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>

using namespace datalog;

namespace {

constexpr std::time_t kNow = 1796607902; // 2026-12-07 01:45:02 UTC

std::string GoldenPath(const std::string &name) {
  return std::string(TARVIK_GOLDEN_DIR) + "/" + name;
}

bool Writing() {
  const char *p = std::getenv("TARVIK_WRITE_GOLDEN");
  return p && std::string(p) == "1";
}

std::string ReadFile(const std::string &path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

void Expect(const std::string &name, const std::string &bytes) {
  const std::string path = GoldenPath(name);
  if (Writing()) {
    std::ofstream(path, std::ios::binary) << bytes;
    return;
  }
  const std::string want = ReadFile(path);
  ASSERT_FALSE(want.empty()) << "missing golden file " << path;
  EXPECT_TRUE(want == bytes) << name << " differs from its golden file";
}

void ExpectImage(const std::string &name, const QImage &image) {
  const QString path = QString::fromStdString(GoldenPath(name));
  if (Writing()) {
    image.save(path, "PNG");
    return;
  }
  QImage want(path);
  ASSERT_FALSE(want.isNull()) << "missing golden picture " << name;
  EXPECT_TRUE(want.convertToFormat(QImage::Format_RGB32) == image.convertToFormat(QImage::Format_RGB32))
      << name << " differs from its golden picture";
}

// Recordings across midnight, the end of a leap February, the year's end,
// in both weightings and with several intervals; the hour is unpadded.
std::string DownloadText() {
  std::vector<CSimRecording> recs(4);
  auto set = [](CSimRecording &r, int y, int mo, int d, int h, int mi, int s, int iv, bool bA) {
    r.m_nYear = y, r.m_nMonth = mo, r.m_nDay = d, r.m_nHour = h, r.m_nMinute = mi, r.m_nSecond = s;
    r.m_nInterval = iv, r.m_bWeightA = bA;
  };
  set(recs[0], 2026, 12, 7, 23, 59, 50, 2, true);
  set(recs[1], 2028, 2, 28, 23, 59, 58, 1, false);
  set(recs[2], 2026, 12, 31, 23, 59, 30, 10, true);
  set(recs[3], 2027, 3, 5, 9, 5, 0, 5, true);
  for (std::size_t r = 0; r < recs.size(); ++r)
    for (std::size_t i = 0; i < 40 + 25 * r; ++i)
      recs[r].m_levels.push_back(35.0 + static_cast<double>((i * 37 + r * 11) % 900) / 10.0);
  std::vector<uint8_t> dl = sim::BuildDownload(recs);
  std::string text;
  AppendHex(text, dl.data() + 3, dl.size() - 4);
  // An odd recording the meter should never send: out-of-range day and
  // minute, a hex letter in a level, a trailing short piece.
  const std::string odd = "cc10024532990003"
                          "ac"
                          "0652"
                          "0a52"
                          "0701"
                          "09";
  text.insert(text.size() - 2, odd);
  return text;
}

// A file with the texts of other programs and hands: unpadded fields,
// dates that do not exist, no comma, odd units, a level with a comma.
std::string OddFileBytes() {
  return "TX980 Sound Level Meter SamplingRate:0.5;\r\n"
         "07-12-2026,01:45:03, 65.30, dBA\r\n"
         "7-12-2026,1:45:04, 66.10, dBA\r\n"
         "07-12-2026,1:45:05, 9.50, dBC\r\n"
         "31-02-2026,10:00:00, 120.00, dBA\r\n"
         "07-12-2026,24:00:00, 0.00, dBA\r\n"
         "07-12-2026 01:45:06, 70.00, dBA\r\n"
         "noon, 71.25, dBZ\r\n"
         "a,b\r\n"
         "07-12-2026,01:45:07, 1e2, dBA\n"
         "+7-12-2026,01:45:08,  55.55 , dBA\r\n"
         "07-12-0999,01:45:09, 150.00, xdBA\r\n"
         "07-12-2026,01:45:10, -3.25, dBA\r\n";
}

// A live run: padded times a tenth of a second apart, levels that wander.
void FillLive(CSampleStore &store, std::size_t n) {
  std::time_t t = 1796607902;
  for (std::size_t k = 0; k < n; ++k) {
    if (k % 10 == 0)
      ++t;
    std::tm tm{};
    gmtime_r(&t, &tm);
    char time[64];
    std::snprintf(time, sizeof time, "%.2d-%.2d-%d,%.2d:%.2d:%.2d", tm.tm_mday, tm.tm_mon + 1,
                  tm.tm_year + 1900, tm.tm_hour, tm.tm_min, tm.tm_sec);
    const double level = std::round((60.0 + 25.0 * std::sin(static_cast<double>(k) * 0.013) +
                                     static_cast<double>((k * 7919) % 97) / 10.0) *
                                    10.0) /
                         10.0;
    store.Emplace(level, std::string(time), k % 500 < 250 ? "dBA" : "dBC", 0, 0.1);
  }
}

class GoldenOutputTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_prompts.m_makePrinter = [this] { return m_pdf.MakePrinter(); };
  }

  // The messages shown since the last call.
  std::string Told() {
    std::string out;
    for (const QString &m : m_prompts.Messages())
      out += "told: " + m.toStdString() + "\n";
    m_prompts.m_asked.clear();
    return out;
  }
  std::string TextData(const CSampleArray &a) {
    CStringSink sink;
    WriteTextData(sink, a);
    return sink.m_str;
  }
  std::string Sheet(const CSampleArray &a, const StatData &st, SheetVariant v) {
    CStringSink sink;
    WriteSpreadsheet(sink, a, st, v);
    return sink.m_str;
  }
  static std::string TableTexts(const CSampleStore &store) {
    CSampleTableModel model(store);
    model.Reset();
    std::string out;
    for (int c = 0; c < 4; ++c)
      out += model.headerData(c, Qt::Horizontal, Qt::DisplayRole).toString().toStdString() +
             (c < 3 ? "\t" : "\n");
    for (int r = 0; r < model.rowCount(); ++r)
      for (int c = 0; c < 4; ++c)
        out +=
            model.data(model.index(r, c), Qt::DisplayRole).toString().toStdString() + (c < 3 ? "\t" : "\n");
    return out;
  }
  std::string PrintedTable(const CSampleArray &a, const StatData &st) {
    CPdfPages pdf;
    m_prompts.m_makePrinter = [&] { return pdf.MakePrinter(); };
    CPrintRX job;
    EXPECT_EQ(PrintTable(job, a, st, {m_prompts, nullptr, [] { return kNow; }}), PrintOutcome::Printed);
    return pdf.Pages().join(QChar('\f')).toStdString();
  }
  std::string PrintedGraph(const CGraphState &s, const CSampleArray &a, const StatData &st) {
    CPdfPages pdf;
    m_prompts.m_makePrinter = [&] { return pdf.MakePrinter(); };
    CPrintRX job;
    const PrintOutcome outcome = PrintGraph(job, s, a, st, {m_prompts, nullptr, [] { return kNow; }});
    std::string out = "outcome " + std::to_string(static_cast<int>(outcome)) + "\n";
    out += Told();
    if (outcome == PrintOutcome::Printed)
      out += pdf.Pages().join(QChar('\f')).toStdString();
    return out;
  }

  // The data logger window over the store: its list, then per recording the
  // read-outs, the cursor and hover read-outs, a save, an export, both
  // printouts and the graph picture.
  void CheckDataLogger(const std::string &prefix, std::size_t nGraphsShown) {
    CDataLogDlg dlg(m_stores, m_prompts, [] { return std::tm{}; });
    dlg.resize(1100, 700);
    dlg.Create();
    dlg.FitTo(QRect(0, 0, 1920, 1080)); // the template's own layout
    dlg.show();
    QTreeWidget *list = dlg.List();
    std::string rows;
    for (int r = 0; r < list->topLevelItemCount(); ++r)
      for (int c = 0; c < 5; ++c)
        rows += list->topLevelItem(r)->text(c).toStdString() + (c < 4 ? "\t" : "\n");
    Expect(prefix + "_list.txt", rows);
    std::string readouts;
    for (int r = 0; r < list->topLevelItemCount(); ++r) {
      dlg.SelectRow(r);
      const CSampleArray sel(dlg.Selection());
      const int n = static_cast<int>(sel.GetSize());
      if (n > 1) {
        emit dlg.Graph()->graphCursor(ECursor::A, n / 3);
        emit dlg.Graph()->graphCursor(ECursor::B, n - 1);
        emit dlg.Graph()->graphHover(n / 2);
      }
      readouts += "row " + std::to_string(r) + "\n";
      for (int id : {IDC_START_TIME, IDC_MAX, IDC_MAX_TIME, IDC_MIN, IDC_MIN_TIME, IDC_AVERAGE, IDC_COUNT,
                     IDC_CURSOR_A, IDC_CURSOR_A_TIME, IDC_CURSOR_B, IDC_CURSOR_B_TIME, IDC_AB_MAX,
                     IDC_AB_MAX_TIME, IDC_AB_MIN, IDC_AB_MIN_TIME, IDC_AB_AVERAGE, IDC_AB_COUNT})
        readouts += std::to_string(id) + "=" + DlgItem<QLineEdit>(&dlg, id)->text().toStdString() + "\n";
      for (int id : {IDC_HOVER_LEVEL, IDC_HOVER_TIME})
        readouts += std::to_string(id) + "=" + DlgItem<QLabel>(&dlg, id)->text().toStdString() + "\n";
      readouts += "rate=" + DlgItem<QComboBox>(&dlg, IDC_RATE)->currentText().toStdString() + "\n";
      readouts += Told();
      if (sel.IsEmpty())
        continue;
      const std::string tag = prefix + "_rec" + std::to_string(r);
      Expect(tag + "_data.txt", TextData(sel));
      Expect(tag + "_sheet.xls", Sheet(sel, dlg.Stat(), SheetVariant::DataLogger));
      Expect(tag + "_print_table.txt", PrintedTable(sel, dlg.Stat()));
      if (static_cast<std::size_t>(r) < nGraphsShown) {
        Expect(tag + "_print_graph.txt", PrintedGraph(*dlg.Graph(), sel, dlg.Stat()));
        ExpectImage(tag + "_graph.png", dlg.Graph()->Image());
      }
    }
    Expect(prefix + "_readouts.txt", readouts);
  }

  CDataStores m_stores;
  CScriptedPrompts m_prompts;
  CPdfPages m_pdf;
};

} // namespace

TEST_F(GoldenOutputTest, DownloadedRecordings) {
  CLogDecodeState dec;
  struct : IReceiveSink {
    void OnHoldSignal() override {}
    void OnDownloadEnded() override {}
    void OnDownloadProgress(int, int, int) override {}
    void OnReadoutRefresh() override {}
    void OnDownloadText(const std::string &) override {}
  } sink;
  ParseLogData(DownloadText(), dec, m_stores.m_log, sink);
  ASSERT_GT(m_stores.m_log.GetSize(), 200u);
  Expect("download_data.txt", TextData(m_stores.m_log));
  Expect("download_table.txt", TableTexts(m_stores.m_log));
  CheckDataLogger("download", 5);
}

TEST_F(GoldenOutputTest, FileWithOddTexts) {
  const std::string path = ::testing::TempDir() + "/golden_odd.txt";
  std::ofstream(path, std::ios::binary) << OddFileBytes();
  ASSERT_TRUE(ReadTextDataFile(path, m_stores.m_log).Ok());
  Expect("oddfile_data.txt", TextData(m_stores.m_log));
  Expect("oddfile_table.txt", TableTexts(m_stores.m_log));
  CheckDataLogger("oddfile", 1);
}

TEST_F(GoldenOutputTest, LiveRun) {
  FillLive(m_stores.m_live, 3000);
  StatData st;
  st.Reset();
  st.dSampleRate = 0.1;
  for (std::size_t i = 0; i < m_stores.m_live.GetSize(); ++i)
    st.AddSample(CSampleArray(m_stores.m_live), i);
  const CSampleArray all(m_stores.m_live);
  Expect("live_data.txt", TextData(all));
  Expect("live_sheet.xls", Sheet(all, st, SheetVariant::MainWindow));
  Expect("live_table.txt", TableTexts(m_stores.m_live));
  std::string stat = st.strStartTime + "|" + st.strMaxTime + "|" + st.strMaxUnit + "|" + st.strMinTime + "|" +
                     st.strMinUnit + "|" +
                     QString::asprintf("%.1f|%.1f|%.1f", st.dMax, st.dMin, st.dAverage).toStdString();
  Expect("live_stat.txt", stat);
}

TEST_F(GoldenOutputTest, LiveGraphs) {
  FillLive(m_stores.m_live, 30000);
  const CSampleArray all(m_stores.m_live);
  StatData st;
  st.dSampleRate = 0.1;
  CGraphicsBtn graph(m_prompts);
  graph.resize(1280, 600);
  graph.SetDefaultView();
  graph.DrawGraph(all);
  ExpectImage("live_graph_unzoomed.png", graph.Image());
  Expect("live_print_graph.txt", PrintedGraph(graph, all, st));
  graph.m_zoomed = 1.0;
  graph.m_xScale = 300.0 / graph.m_plotWidth;
  graph.m_xOffset = 12345.5;
  graph.m_cursorA = 12400;
  graph.m_cursorB = 12500;
  graph.DrawGraph(all);
  ExpectImage("live_graph_zoomed.png", graph.Image());
  graph.m_xScale = 3000.0 / graph.m_plotWidth;
  graph.m_yScale *= 0.5;
  graph.m_yOffset = 40.0;
  graph.DrawGraph(all);
  ExpectImage("live_graph_zoomed_wide.png", graph.Image());
}
