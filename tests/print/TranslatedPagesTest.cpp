#include "assess/AssessSummary.h"
#include "assess/AssessTexts.h"
#include "assess/ReportLayout.h"
#include "assess/SeriesAssessment.h"
#include "graph/GraphMath.h"
#include "print/GraphPageLayout.h"
#include "print/PrintTexts.h"
#include "print/TableLayout.h"
#include "records/SampleArray.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <string>

// The windows hand the layouts their translator; tarvik-report and the
// files keep the source texts. A stand-in translator that brackets every
// text shows each label took the way through it.
namespace {
std::string Bracketed(TrText t) {
  return std::string("[") + t.source + "]";
}

bool HasPrefix(const std::set<std::string> &texts, const std::string &prefix) {
  return std::any_of(texts.begin(), texts.end(), [&](const std::string &t) { return t.starts_with(prefix); });
}

std::set<std::string> Texts(const std::vector<PageImage> &pages) {
  std::set<std::string> texts;
  for (const PageImage &p : pages)
    for (const PageOp &op : p.ops)
      if (op.kind == PageOp::Kind::Text)
        texts.insert(op.text);
  return texts;
}

CSampleStore Burst() {
  CSampleStore s;
  for (int i = 0; i < 120; ++i)
    s.AppendAt(i % 60 >= 20 && i % 60 < 25 ? 90.0 : 60.0, ToCivilSeconds({2026, 12, 8, 10, 0, i}),
               TimeStyle::PaddedHour, "dBA", 0, 1);
  return s;
}

AssessSettings Threshold85() {
  AssessSettings s;
  s.dThreshold = 85;
  s.nPeriodSec = 60;
  return s;
}

struct Case {
  const char *name;
  std::vector<PageImage> (*layout)(const CSampleArray &, FTranslate);
  std::vector<std::string> translated; // starts of texts the bracketing translator must give
  std::vector<std::string> sources;    // the same without a translator
  std::vector<TrText> labels;          // never printed bare through a translator
};

std::vector<PageImage> Report(const CSampleArray &samples, FTranslate tr) {
  return LayoutAssessmentReport(AssessSeries(samples, Threshold85()), samples,
                                {"", "Rua Direita 5", "", "", ""}, 2480, 3508, 40, tr);
}

std::vector<PageImage> Table(const CSampleArray &samples, FTranslate tr) {
  return LayoutTable(MakeTableGeometry(2480, 3508, 40), samples, StatData{}, {2026, 12, 8, 11, 0, 0}, tr);
}

std::vector<PageImage> Graph(const CSampleArray &samples, FTranslate tr) {
  CGraphState s;
  SetDefaultView(s, 890, 330);
  GraphPageGeometry g;
  EXPECT_TRUE(MakeGraphPageGeometry(2480, 3508, 40, s, g));
  return {LayoutGraphPage(
      g, s, samples, StatData{}, ComputeTimeLabels(s, samples), {2026, 12, 8, 11, 0, 0},
      [](const std::string &t) { return static_cast<int>(t.size()) * 10; }, tr)};
}
} // namespace

TEST(TranslatedPages, EveryPrintedLabelGoesThroughTheTranslatorAndNoneWithoutOne) {
  using namespace AssessTexts;
  namespace P = PrintTexts;
  const Case cases[] = {
      {"report",
       Report,
       {"[Relatório de ruído]", "[Local]:", "[Sonómetro digital], dBA[, uma amostra a cada 1.0 s]",
        "[08-12-2026 10:00:00 a 08-12-2026 10:01:59] (", "[Resumo]", "[Amostras]", "[Início]",
        "[Tempo acima do limiar]", "[Página 1 de 1]"},
       {"Relatório de ruído", "Local:", "Sonómetro digital, dBA, uma amostra a cada 1.0 s",
        "08-12-2026 10:00:00 a 08-12-2026 10:01:59 (", "Resumo", "Página 1 de 1"},
       {kReportTitle, kReportPlace, kTabSummary, kTabPeriods, kTabEvents, kSamples, kStart, kEnd, kMeasured,
        kLexFlag, kTimeAbove, kPeriodHeads[3], kEventHeads[2]}},
      {"table",
       Table,
       {"[Tabela]", "[Data, czas]", "[Jednostka]", "[Wartość]", "[Czas rozpoczęcia]", "[MAKS.]", "[Średnia]"},
       {"Tabela", "Data, czas", "Jednostka", "Wartość", "Czas rozpoczęcia", "MAKS.", "Średnia"},
       {P::kTable, P::kDateTime, P::kUnit, P::kValue, P::kStartTime, P::kMax, P::kMin, P::kAverage,
        P::kSampleRate}},
      {"graph",
       Graph,
       {"[Krzywa w czasie rzeczywistym]", "[Czas]: 2026-12-8  11:0:0", "[Częstotliwość próbkowania]",
        "[Czas trwania]"},
       {"Krzywa w czasie rzeczywistym", "Czas: 2026-12-8  11:0:0", "Częstotliwość próbkowania",
        "Czas trwania"},
       {P::kGraphTitle, P::kStartTime, P::kMax, P::kMin, P::kAverage, P::kSampleRate, P::kDuration}},
  };
  const CSampleStore store = Burst();
  const CSampleArray samples(store);
  for (const Case &c : cases) {
    const std::set<std::string> translated = Texts(c.layout(samples, Bracketed));
    for (const std::string &t : c.translated)
      EXPECT_TRUE(HasPrefix(translated, t)) << c.name << ": " << t;
    for (const TrText &label : c.labels)
      for (const std::string &bare : {std::string(label.source), std::string(label.source) + ":"})
        EXPECT_FALSE(translated.contains(bare)) << c.name << ": " << bare;
    const std::set<std::string> sources = Texts(c.layout(samples, SourceText));
    for (const std::string &t : c.sources)
      EXPECT_TRUE(HasPrefix(sources, t)) << c.name << ": " << t;
  }
}

TEST(TranslatedPages, SummaryAndAlarmFillTheirTranslatedTemplates) {
  const CSampleStore store = Burst();
  std::map<std::string, std::string> rows;
  for (const SummaryRow &r : SummaryRows(AssessSeries(CSampleArray(store), {}), Bracketed))
    rows[r.strLabel] = r.strText;
  EXPECT_EQ(rows["[Eventos]"], "[sem limiar]");
  EXPECT_EQ(rows["[Lden]"], "[não calculado: sem amostras de [entardecer], [noite]]");
  EXPECT_EQ(rows["[Ação/limite]"], "[abaixo dos valores de ação]");
  EXPECT_EQ(rows["LAeq"].substr(0, 1), "7"); // symbols and numbers stay as they are
  EXPECT_EQ(AlarmText(87.3, ToCivilSeconds({2026, 12, 8, 14, 2, 11}), Bracketed),
            "[Limiar excedido: 87.3 dB desde 14:02:11]");
}
