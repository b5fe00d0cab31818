#include "lang/Language.h"
#include "app/AppOptions.h"

#include <gtest/gtest.h>

TEST(Language, FirstUiLanguageDecidesAndTheOptionOverrides) {
  using L = ELanguage;
  struct Case {
    std::optional<L> option;
    std::vector<std::string> ui;
    L expected;
  };
  const Case cases[] = {
      {{}, {"en-US", "en-Latn-US", "en"}, L::English},
      {{}, {"en-GB"}, L::English},
      {{}, {"en", "pt-PT"}, L::English}, // LANGUAGE=en:pt
      {{}, {"pt-PT", "en"}, L::Original},
      {{}, {"pl-PL", "pl"}, L::Original},
      {{}, {"C"}, L::Original}, // C and POSIX keep the program's own texts
      {{}, {"eo"}, L::Original},
      {{}, {"enx"}, L::Original},
      {{}, {}, L::Original},
      {L::Original, {"en-US"}, L::Original},
      {L::English, {"pt-PT"}, L::English},
  };
  for (const Case &c : cases)
    EXPECT_EQ(ChooseLanguage(c.option, c.ui), c.expected) << (c.ui.empty() ? "" : c.ui[0]);
}

TEST(Language, LangOptionTakesPtOrEn) {
  EXPECT_EQ(ParseAppOptions({"--lang", "en"}).options.language, ELanguage::English);
  EXPECT_EQ(ParseAppOptions({"--lang", "pt"}).options.language, ELanguage::Original);
  EXPECT_FALSE(ParseAppOptions({}).options.language.has_value());
  EXPECT_EQ(ParseAppOptions({"--lang", "de"}).strError, "--lang takes pt or en");
  EXPECT_EQ(ParseAppOptions({"--lang"}).strError, "option --lang needs a value");
}
