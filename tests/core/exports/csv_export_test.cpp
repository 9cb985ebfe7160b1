// The race CSV file: its name, its lines byte for byte, and the folder and overwrite dialogue.
#include "exports/csv_export.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "analysis/pipeline.h"
#include "pat98/day_loader.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/sjis.h"

namespace tz {
namespace {

using test::FakePort;
using test::TempDir;

// Three horses at 中山 on 5 January: horse 2 scratched; display order 3, 1, 2.
Session ThreeHorses(int saleCode) {
  Session s;
  auto& r = s.race;
  r.GuideDate = "20030105";
  r.CurrentMeeting = 1;
  r.MeetingInfo[1] = {6, 1, 1, 2003};
  r.CurrentRace = 11;
  r.CurrentDayKind = 1;
  r.CurrentSaleCode = saleCode;
  r.HorseCount = 3;
  r.ScratchedCount = 1;
  r.ScratchedHorses[1] = 2;
  r.HorseOrder[1] = 3;
  r.HorseOrder[2] = 1;
  r.HorseOrder[3] = 2;
  r.WinOdds = {"", "  4.5", "", "  1.8"};
  r.PlaceOddsLow = {"", "  1.5", "", "  1.1"};
  r.PlaceOddsHigh = {"", "  2.0", "", "  1.3"};
  r.HorseName[0] = "ｱｲｳｴｵ             ";  // 18 characters, trailing blanks kept
  r.HorseName[1] = "ｶｷｸｹｺ             ";
  r.HorseName[2] = "ｻｼｽｾｿ             ";
  r.QuinellaOdds[1][3] = r.QuinellaOdds[3][1] = "   3.2";
  r.WideOddsLow[1][3] = r.WideOddsLow[3][1] = "   1.4";
  for (int b = 1; b <= 8; ++b) {
    for (int c = b; c <= 8; ++c) {
      const bool quoted = (b == 1 && c == 3);
      r.BracketQuinellaOdds[b][c] = r.BracketQuinellaOdds[c][b] = quoted ? "  3.1" : "";
    }
  }
  auto& a = s.analysis;
  a.SyntheticWinText = {"", "5.3", "999.9", "1.3"};
  a.QuinellaShareText = {"", "11.7%", "0.0%", "11.7%"};
  a.WideShareText = {"", "8.9%", "0.0%", "8.9%"};
  s.mainWindow.lblkai = "中山 1回 1日  11R";
  s.mainWindow.lblrace = "ガーネットＳ    ４歳以上オープン";
  s.mainWindow.Lbltime = "15時5分 現在";
  s.prediction.RowCount = 3;
  s.prediction.Rows[1].F = "1";
  s.prediction.Rows[1].T = "2";
  s.prediction.Rows[2].W = "3";
  s.prediction.Rows[2].R = "4";
  s.prediction.Rows[2].Z = "5";
  s.prediction.Rows[2].Mark = "☆";
  return s;
}

std::vector<std::string> Header(const std::string& matrixTitle) {
  return {
      "中山 1回 1日  11R ガーネットＳ    ４歳以上オープン 15時5分 現在,",
      ",複勝1,複勝2,単勝,仮単,馬名,Ｆ,Ｔ,Ｗ,Ｒ,Ｚ,推奨馬,着順",
      // Horse 1 is shown in row 2, horse 3 in row 1.
      "1,  1.5,  2.0,  4.5,5.3,ｱｲｳｴｵ             ,,,3,4,5,☆,",
      "2,ﾄﾘｹｼ,ﾄﾘｹｼ,ﾄﾘｹｼ,ﾄﾘｹｼ,ｶｷｸｹｺ             ,,,,,,,",
      "3,  1.1,  1.3,  1.8,1.3,ｻｼｽｾｿ             ,1,2,,,,,",
      "",
      // A share line ends with a comma like every other line.
      ",11.7%,0.0%,11.7%,",
      matrixTitle + "1,2,3,",
      "1,,ﾄﾘｹｼ,   3.2,",
      "2,ﾄﾘｹｼ,,ﾄﾘｹｼ,",
      "3,   3.2,ﾄﾘｹｼ,,",
      "",
  };
}

// The lines of a written file, each ended by CR LF, decoded.
std::vector<std::string> DecodedLines(const std::string& bytes) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  for (std::size_t end; (end = bytes.find("\r\n", at)) != std::string::npos; at = end + 2) {
    lines.push_back(text::DecodeSjis(bytes.substr(at, end - at)));
  }
  EXPECT_EQ(at, bytes.size()) << "the last line ends with CR LF";
  return lines;
}

std::string Bytes(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& l : lines) out += text::EncodeSjis(l) + "\r\n";
  return out;
}

TEST(RaceCsv, FullRaceWithAScratchedHorse) {
  TempDir dir;
  Session s = ThreeHorses(31);
  s.app.settings.CSVpath = dir.path().string();
  FakePort port;
  const auto path = ExportRaceCsv(s, port);
  ASSERT_EQ(path, dir.path() / "0105中山11R.csv");

  std::vector<std::string> expected = Header("馬連,");
  for (const char* l : {",8.9%,0.0%,8.9%,", "ワイド,1,2,3,", "1,,ﾄﾘｹｼ,   1.4,", "2,ﾄﾘｹｼ,,ﾄﾘｹｼ,",
                        "3,   1.4,ﾄﾘｹｼ,,", "", "枠連,1,2,3,4,5,6,7,8,"}) {
    expected.push_back(l);
  }
  for (int b = 1; b <= 8; ++b) {
    std::string row = std::to_string(b) + ",";
    for (int c = 1; c <= 8; ++c) {
      if ((b == 1 && c == 3) || (b == 3 && c == 1)) row += "  3.1,";
      else if (b == c) row += ",";
      else row += "ﾄﾘｹｼ,";
    }
    expected.push_back(row);
  }
  EXPECT_EQ(test::ReadAll(path), Bytes(expected));
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].kind, test::Message::Info);
  EXPECT_EQ(port.messages[0].text, path.string() + "\n\nﾌｧｲﾙを作成しました");
}

TEST(RaceCsv, BracketOnlyRaceStopsAfterTheFirstMatrix) {
  TempDir dir;
  Session s = ThreeHorses(7);
  s.app.settings.CSVpath = dir.path().string();
  FakePort port;
  const auto path = ExportRaceCsv(s, port);
  EXPECT_EQ(test::ReadAll(path), Bytes(Header("枠連,")));
}

TEST(RaceCsv, RunnerWithoutQuotesKeepsItsNumber) {
  Session s = ThreeHorses(31);
  // Horse 1 runs but has no quinella quote: its 仮単 is 999.9 and it is not scratched.
  s.analysis.SyntheticWinText[1] = "999.9";
  const auto lines = RaceCsvLines(s);
  EXPECT_EQ(lines[2], "1,  1.5,  2.0,  4.5,999.9,ｱｲｳｴｵ             ,,,3,4,5,☆,");
}

TEST(RaceCsv, FileNames) {
  struct Case {
    int dayKind, race, year;
    std::string courseName, expected;
  };
  const Case cases[] = {
      {2, 11, 2003, "", "0105中山11R前日.csv"},
      {1, 3, 2003, "", "0105中山3R.csv"},
      // A guide marked 9999 takes the name written in the guide of the meeting the code names.
      {1, 12, 9999, "札幌", "0105札幌12R.csv"},
  };
  for (const Case& c : cases) {
    Session s = ThreeHorses(31);
    s.race.CurrentDayKind = c.dayKind;
    s.race.CurrentRace = c.race;
    if (c.year == 9999) {
      s.race.MeetingInfo[1] = {1, 1, 1, 9999};  // code 1 names meeting 1
      s.race.MeetingCourseName[1] = c.courseName;
    }
    EXPECT_EQ(RaceCsvFileName(s), c.expected);
  }
}

TEST(RaceCsv, FolderChecksAndOverwriteQuestion) {
  TempDir dir;
  Session s = ThreeHorses(31);
  FakePort port;
  // No folder set.
  EXPECT_TRUE(ExportRaceCsv(s, port).empty());
  ASSERT_EQ(port.Errors().size(), 1u);
  EXPECT_EQ(port.Errors()[0], "CSVﾌｧｲﾙ作成ﾌｫﾙﾀﾞが指定されていません。\n\n");
  // A folder that does not exist.
  port.messages.clear();
  s.app.settings.CSVpath = (dir.path() / "gone").string();
  EXPECT_TRUE(ExportRaceCsv(s, port).empty());
  ASSERT_EQ(port.Errors().size(), 1u);
  EXPECT_EQ(port.Errors()[0], "CSVﾌｧｲﾙ作成ﾌｫﾙﾀﾞが存在しません。\n\n" + s.app.settings.CSVpath);

  // An existing file: No keeps it, Yes replaces it.
  s.app.settings.CSVpath = dir.path().string();
  const auto path = dir.Write("0105中山11R.csv", "old");
  port.messages.clear();
  port.answers = {Answer::No};
  EXPECT_TRUE(ExportRaceCsv(s, port).empty());
  EXPECT_EQ(test::ReadAll(path), "old");
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].kind, test::Message::Question);
  EXPECT_EQ(port.messages[0].defaultAnswer, Answer::No);
  EXPECT_EQ(port.messages[0].icon, Icon::Warning);
  EXPECT_EQ(port.messages[0].text,
            path.string() + "\n\nﾌｧｲﾙは既に存在します。上書きしますか？");
  port.answers = {Answer::Yes};
  EXPECT_EQ(ExportRaceCsv(s, port), path);
  EXPECT_NE(test::ReadAll(path), "old");
}

// Every race of the bundled days, exported as the tool-bar button does: every line but the
// column titles ends with a comma, the share lines included, and a share line holds one field
// per horse after its leading empty field.
TEST(RaceCsv, EveryRaceOfTheSampleDaysEndsItsLinesWithAComma) {
  for (const char* dayName : {"20021020", "real-20020908"}) {
    const std::filesystem::path folder = std::filesystem::path(TAZUNA_SOURCE_DIR) / "samples" / dayName;
    TempDir out;
    Session s;
    FakePort port;
    s.app.Pat98Folder = folder;
    s.app.DataFolder = folder;
    s.app.settings.CSVpath = out.path().string();
    ASSERT_EQ(LoadCurrentData(s, port), 0) << dayName;
    int written = 0, bracketOnly = 0;
    for (int m = 1; m <= s.race.MeetingCount; ++m) {
      for (int slot = 1; slot <= kAdvanceSaleSlot; ++slot) {
        SelectMeeting(s, m);
        if (!s.dayView.raceButtons[4 + slot].enabled) continue;
        SelectRace(s, port, 4 + slot);
        ASSERT_EQ(s.race.LoadStatus, 0) << dayName << " " << m << "/" << slot;
        const auto path = ExportRaceCsv(s, port);
        ASSERT_FALSE(path.empty()) << dayName << " " << m << "/" << slot;
        ++written;
        const int n = s.race.HorseCount;
        const std::vector<std::string> lines = DecodedLines(test::ReadAll(path));
        std::vector<std::size_t> shareLines{static_cast<std::size_t>(n) + 3};
        if (s.race.CurrentSaleCode == 7) {
          ++bracketOnly;
        } else {
          shareLines.push_back(2 * static_cast<std::size_t>(n) + 6);
        }
        for (std::size_t i = 0; i < lines.size(); ++i) {
          if (i == 1 || lines[i].empty()) continue;
          EXPECT_EQ(lines[i].back(), ',') << path << " line " << i + 1 << ": " << lines[i];
        }
        for (std::size_t i : shareLines) {
          ASSERT_LT(i, lines.size()) << path;
          EXPECT_EQ(std::count(lines[i].begin(), lines[i].end(), ','), n + 1)
              << path << " line " << i + 1 << ": " << lines[i];
          EXPECT_NE(lines[i].find('%'), std::string::npos) << path << " line " << i + 1;
        }
      }
    }
    EXPECT_GE(written, 36) << dayName;
    if (std::string(dayName) == "20021020") {
      EXPECT_GE(bracketOnly, 1);
    }
  }
}

}  // namespace
}  // namespace tz
