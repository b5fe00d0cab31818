#include "graph/ColorConfig.h"
#include "files/IniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

namespace {
class ColorConfigTest : public ::testing::Test {
protected:
  void SetUp() override {
    m_dir = std::filesystem::temp_directory_path() /
            ("tarvik-colors-" + std::to_string(::getpid()) + "-" +
             ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(m_dir);
    m_path = (m_dir / kColorConfigName).string();
  }
  void TearDown() override { std::filesystem::remove_all(m_dir); }
  void Write(const std::string &text) { std::ofstream(m_path, std::ios::binary) << text; }
  std::string Read() {
    std::ifstream in(m_path, std::ios::binary);
    std::stringstream ss;
    ss << in.rdbuf();
    return ss.str();
  }
  std::filesystem::path m_dir;
  std::string m_path;
};
} // namespace

TEST_F(ColorConfigTest, MissingFileGivesDefaults) {
  GraphColors c = ReadColorConfig(m_path);
  EXPECT_EQ(c.bk, MakeGraphColor(0, 100, 100));
  EXPECT_EQ(c.grid, MakeGraphColor(255, 0, 255));
  EXPECT_EQ(c.line, MakeGraphColor(0, 0, 255));
}

TEST_F(ColorConfigTest, PartialFileMixesStoredValuesWithDefaultsAndKeepsLowByte) {
  Write("; colours\r\n[vomo_gridcolor]\r\n gvalue = 300\r\n\r\n[Vomo_LINECOLOR]\r\nRVALUE=12abc\r\n"
        "BVALUE=-1\r\nGVALUE=\r\n");
  GraphColors c = ReadColorConfig(m_path);
  EXPECT_EQ(c.bk, MakeGraphColor(0, 100, 100));
  EXPECT_EQ(c.grid, MakeGraphColor(255, 44, 255));
  EXPECT_EQ(c.line, MakeGraphColor(12, 0, 255));
}

TEST_F(ColorConfigTest, WritesAllNineKeysInOrder) {
  GraphColors c{MakeGraphColor(1, 2, 3), MakeGraphColor(4, 5, 6), MakeGraphColor(7, 8, 9)};
  ASSERT_TRUE(WriteColorConfig(m_path, c).bOk);
  EXPECT_EQ(Read(), "[Vomo_BKCOLOR]\nRVALUE=1\nGVALUE=2\nBVALUE=3\n"
                    "[Vomo_GRIDCOLOR]\nRVALUE=4\nGVALUE=5\nBVALUE=6\n"
                    "[Vomo_LINECOLOR]\nRVALUE=7\nGVALUE=8\nBVALUE=9\n");
  EXPECT_EQ(ReadColorConfig(m_path), c);
}

TEST_F(ColorConfigTest, RewriteKeepsOtherContentAndUpdatesInPlace) {
  Write("[Other]\nx=1\n[Vomo_GRIDCOLOR]\nGVALUE=7\n");
  GraphColors c;
  ASSERT_TRUE(WriteColorConfig(m_path, c).bOk);
  EXPECT_EQ(Read(), "[Other]\nx=1\n[Vomo_GRIDCOLOR]\nGVALUE=0\nRVALUE=255\nBVALUE=255\n"
                    "[Vomo_BKCOLOR]\nRVALUE=0\nGVALUE=100\nBVALUE=100\n"
                    "[Vomo_LINECOLOR]\nRVALUE=0\nGVALUE=0\nBVALUE=255\n");
  EXPECT_EQ(ReadColorConfig(m_path), c);
}

TEST_F(ColorConfigTest, FailedWriteIsReported) {
  ConfigWriteResult r = WriteColorConfig((m_dir / "missing" / kColorConfigName).string(), GraphColors{});
  EXPECT_FALSE(r.bOk);
  EXPECT_FALSE(r.strError.empty());
}
