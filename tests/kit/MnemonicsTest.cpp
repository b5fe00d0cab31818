#include "forms/Mnemonics.h"

#include <gtest/gtest.h>

namespace {

TEST(Mnemonics, EachTextGetsAFreeLetterAndMarkedOnesKeepTheirs) {
  struct Case {
    std::vector<std::string> in, out;
  };
  const Case cases[] = {
      {{"Ficheiro", "DataLogger", "Registo", "Porta", "Ver", "Ajuda"},
       {"&Ficheiro", "&DataLogger", "&Registo", "&Porta", "&Ver", "&Ajuda"}},
      // Two items that begin alike: the second takes its next free letter.
      {{"Imprimir gráfico", "Imprimir tabela", "Sair"}, {"&Imprimir gráfico", "I&mprimir tabela", "&Sair"}},
      {{"OK", "&Cancelar", "Configuração"}, {"&OK", "&Cancelar", "Co&nfiguração"}},
      {{"Ação", "ão"}, {"&Ação", "ã&o"}}, // letters past a non-ASCII one
      {{"12", ""}, {"12", ""}},
  };
  for (const Case &c : cases)
    EXPECT_EQ(WithMnemonics(c.in), c.out);
}

} // namespace
