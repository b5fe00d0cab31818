#include "monitor/MeterStatus.h"

#include <gtest/gtest.h>

TEST(MeterStatus, ConnectionTextNamesTheDeviceAndWhetherTheMeterSends) {
  using P = ConnectionStatus::Port;
  EXPECT_EQ(ConnectionText({}), "A procurar o medidor…");
  EXPECT_EQ(ConnectionText({P::NotFound, "", false}), "Nenhum medidor encontrado");
  EXPECT_EQ(ConnectionText({P::OpenFailed, "/dev/ttyUSB1", false}), "Não foi possível abrir /dev/ttyUSB1");
  EXPECT_EQ(ConnectionText({P::Open, "/dev/ttyUSB0", true}), "/dev/ttyUSB0: o medidor está a enviar dados");
  EXPECT_EQ(ConnectionText({P::Open, "/dev/ttyUSB0", false}), "/dev/ttyUSB0: o medidor não envia dados");
  EXPECT_EQ(ConnectionText({P::Lost, "/dev/ttyUSB0", false}), "/dev/ttyUSB0: o medidor foi desligado");
}

TEST(MeterStatus, EndsAreExplainedExceptTheUsersOwnStop) {
  EXPECT_EQ(RunEndText(ERunEnd::User), "");
  EXPECT_EQ(RunEndText(ERunEnd::Silence), "Medição parada: o medidor deixou de enviar dados");
  EXPECT_EQ(DownloadFailCause(EDownloadEnd::Complete), "");
  EXPECT_EQ(DownloadEndText(EDownloadEnd::Complete), "Registo de dados recebido");
  EXPECT_EQ(DownloadEndText(EDownloadEnd::Empty), "O medidor não tem registos.");
  EXPECT_EQ(DownloadEndText(EDownloadEnd::HangUp), "O Registo de dados falhou: O medidor foi desligado.");
  EXPECT_EQ(FillText("%1 e %1", "x"), "x e %1"); // one place, filled once
}
