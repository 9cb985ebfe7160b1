// The recommended-longshot and predicted-values lists: what each race contributes, how results
// colour the places, the runs over a whole day and the two exports of the longshot list.
#include "exports/day_lists.h"

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "analysis/pipeline.h"
#include "analysis/upset.h"
#include "exports/day_batch.h"
#include "pat98/day_loader.h"
#include "results/results_reader.h"
#include "session.h"
#include "support/fake_port.h"
#include "support/temp_dir.h"
#include "text/files.h"
#include "text/sjis.h"

namespace tz {
namespace {

namespace fs = std::filesystem;
using test::FakePort;
using test::TempDir;

const fs::path kSampleFolder = fs::path(TAZUNA_SOURCE_DIR) / "samples" / "20021020";

// A race of ten horses in popularity order 10, 9, .. 1 with the given marks and ranks, the
// win cell of position p in colour class p % 7.
struct RowSpec {
  const char* mark = "";
  const char* r = "";
  const char* z = "";
  bool redR = false;
  bool redZ = false;
};

LongshotMark MarkOf(const std::string& text) {
  for (LongshotMark m : kLongshotMarks) {
    if (text == MarkText(m)) return m;
  }
  return LongshotMark::None;
}

void SetRank(RaceAnalysis& ra, Indicator k, int p, const std::string& text) {
  ra.Rank[static_cast<std::size_t>(k)][p] = text.empty() ? 0 : std::stoi(text);
}

Colour ClassColourOf(int p) { return colours::kClass[static_cast<std::size_t>(p % 7)]; }

Session RaceWithRows(const std::vector<RowSpec>& rows) {
  Session s;
  s.race.MeetingCount = 1;
  s.race.MeetingInfo[1] = {5, 4, 2, 2002};
  const int n = static_cast<int>(rows.size());
  s.race.HorseCount = n;
  RaceAnalysis& ra = s.raceAnalysis;
  ra.Analysed = true;
  ra.RowCount = n;
  ra.RunnerCount = n;
  for (int p = 1; p <= n; ++p) {
    s.race.HorseOrder[p] = n + 1 - p;
    ra.Horse[p] = n + 1 - p;
    ra.Mark[p] = MarkOf(rows[p - 1].mark);
    SetRank(ra, Indicator::R, p, rows[p - 1].r);
    SetRank(ra, Indicator::Z, p, rows[p - 1].z);
    ra.RedR[p] = rows[p - 1].redR;
    ra.RedZ[p] = rows[p - 1].redZ;
    ra.OddsClass[p] = p % 7;
  }
  ra.RaceTypeCode = "TRB";
  const UpsetFigures f = UpsetFiguresFor(12.36);
  ra.HasUpset = true;
  ra.UpsetIndicator = 12.36;
  ra.UpsetValue = f.Value;
  ra.UpsetText = f.Text;
  return s;
}

void SetFinishers(Session& s, std::vector<std::pair<int, int>> horsePlace) {
  s.results.FinisherHorse.fill(0);
  s.results.FinisherPlace.fill(0);
  for (std::size_t n = 0; n < horsePlace.size() && n < 5; ++n) {
    s.results.FinisherHorse[n] = horsePlace[n].first;
    s.results.FinisherPlace[n] = horsePlace[n].second;
  }
}

// ---- Recommended longshots: one race ----

TEST(LongshotList, FirstSixStarredHorsesByPositionWithTheirWinCellColour) {
  // Seven horses marked ★ or ☆, two more with ▲/△ that the list leaves out.
  Session s = RaceWithRows({{}, {}, {}, {"★"}, {"▲"}, {"☆", "1", "", true}, {"☆"}, {"△"},
                            {"★"}, {"☆"}, {"★"}, {"☆"}});
  s.app.settings.UmaTanShi = 1;
  AddLongshotRace(s, 1, 3);
  const LongshotRace& race = s.longshotList.Races[ListRaceIndex(1, 3)];
  EXPECT_EQ(race.Caption, "3R");
  EXPECT_EQ(race.Upset, "12.3 B ");  // truncated, not rounded
  const std::vector<std::pair<std::string, int>> expected = {
      {"★9", 4}, {"☆7", 6}, {"☆6", 7}, {"★4", 9}, {"☆3", 10}, {"★2", 11}};
  for (std::size_t k = 0; k < expected.size(); ++k) {
    const LongshotSlot& slot = race.Slots[k];
    EXPECT_EQ(slot.Horse.Text, expected[k].first) << k;
    EXPECT_EQ(slot.Position.Text, std::to_string(expected[k].second)) << k;
    EXPECT_EQ(slot.Position.Back, ClassColourOf(expected[k].second)) << k;
  }
  // Only the horse ranked 1 in red under R gets the grey background.
  EXPECT_EQ(race.Slots[1].Horse.Back, kListGrey);
  for (std::size_t k : {0u, 2u, 3u, 4u, 5u}) EXPECT_FALSE(race.Slots[k].Horse.Back.has_value()) << k;

  // Without the option, or with a rank 1 that is not red, no grey.
  Session plain = RaceWithRows({{}, {}, {}, {"☆", "1", "1", true, true}, {"★", "1", "1"}});
  AddLongshotRace(plain, 1, 1);
  EXPECT_FALSE(plain.longshotList.Races[0].Slots[0].Horse.Back.has_value());
  plain.app.settings.UmaTanShi = 1;
  AddLongshotRace(plain, 1, 1);
  EXPECT_EQ(plain.longshotList.Races[0].Slots[0].Horse.Back, kListGrey);
  EXPECT_FALSE(plain.longshotList.Races[0].Slots[1].Horse.Back.has_value());
}

TEST(LongshotList, PlacesOfListedFinishersInRedOrBlue) {
  Session s = RaceWithRows({{}, {}, {}, {"★"}, {"☆"}, {"☆"}, {"★"}, {}});
  // Slots: ★5 ☆4 ☆3 ★2. Horse 5 won, horse 3 fourth, horse 2 third, horse 8 (not listed)
  // second, horse 4 has no place (entry of place 0).
  AddLongshotRace(s, 2, 12);
  SetFinishers(s, {{5, 1}, {8, 2}, {2, 3}, {3, 4}, {4, 0}});
  AddLongshotResults(s, 2, 12);
  const auto& slots = s.longshotList.Races[ListRaceIndex(2, 12)].Slots;
  struct Want {
    const char* text;
    Colour fore;
    bool bold;
  };
  const std::vector<Want> want = {{"1", kListRed, true}, {"", 0, false}, {"4", kListBlue, false},
                                  {"3", kListRed, false}, {"", 0, false}, {"", 0, false}};
  for (std::size_t k = 0; k < want.size(); ++k) {
    EXPECT_EQ(slots[k].Place.Text, want[k].text) << k;
    EXPECT_EQ(slots[k].Place.Fore, want[k].fore) << k;
    EXPECT_EQ(slots[k].Place.Bold, want[k].bold) << k;
  }
}

// ---- Predicted values: one race ----

TEST(PredictedList, GroupsRankedOneToFiveInExchangeOrderCappedAtSix) {
  Session s = RaceWithRows({{"", "2"}, {"", "2", "1", false, true}, {"", "1"}, {}, {}, {}, {}, {}});
  // Z ranks at seven positions: only the first six by position are kept.
  const char* z[] = {"", "1", "5", "4", "3", "2", "1", "2"};
  for (int p = 1; p <= 8; ++p) SetRank(s.raceAnalysis, Indicator::Z, p, z[p - 1]);
  s.raceAnalysis.RedZ[2] = true;
  SetRank(s.raceAnalysis, Indicator::W, 1, "9");  // not a rank of the list
  s.raceAnalysis.RaceTypeCode = "TZB";            // T and Z lead
  s.mainWindow.odzfuk[1].Text = "1.2";
  s.mainWindow.odztan[1].Text = "2.5";
  s.mainWindow.odzren[1].Text = "2.7";
  s.app.settings.UmaTanShi = 1;
  AddPredictedRace(s, 3, 1);
  const PredictedRace& race = s.predictedList.Races[ListRaceIndex(3, 1)];
  EXPECT_TRUE(race.Filled);
  EXPECT_EQ(race.UpsetText, "12.4 B");  // rounded, where the longshot list truncates
  EXPECT_EQ(race.Favourite, (std::array<std::string, 3>{"1.2", "2.5", " 2.7"}));
  EXPECT_EQ(race.Leading, "TZ");

  auto positions = [&](int group) {
    std::vector<int> out;
    for (const auto& e : race.Groups[group]) out.push_back(e.Position);
    return out;
  };
  // R: ranks 2, 2, 1 at positions 1, 2, 3; the exchange loop leaves 3, 2, 1 (a stable sort
  // would give 3, 1, 2).
  EXPECT_EQ(positions(kGroupR), (std::vector<int>{3, 2, 1}));
  // Z: positions 2..7 (ranks 1 5 4 3 2 1), position 8 is the seventh and left out.
  EXPECT_EQ(positions(kGroupZ), (std::vector<int>{2, 7, 6, 5, 4, 3}));
  EXPECT_TRUE(positions(kGroupW).empty());
  // Horse numbers, positions and colours: position 2 holds horse 7, ranked 1 in red.
  const PredictedEntry& first = race.Groups[kGroupZ][0];
  EXPECT_EQ(first.HorseText, "7");
  EXPECT_EQ(first.PositionText, "2");
  EXPECT_EQ(first.Back, kListGrey);
  EXPECT_EQ(race.Groups[kGroupZ][1].Back, ClassColourOf(7));

  // Results: horse 7 (position 2) won, horse 6 (position 3) fourth, horse 1 (position 8, not
  // listed) second; the sixth entry (position 3, horse 6) is never checked.
  SetFinishers(s, {{7, 1}, {1, 2}, {6, 4}});
  AddPredictedResults(s, 3, 1);
  const auto& zs = s.predictedList.Races[ListRaceIndex(3, 1)].Groups[kGroupZ];
  EXPECT_EQ(zs[0].PlaceText, "1");
  EXPECT_EQ(zs[0].PlaceFore, kListRed);
  EXPECT_TRUE(zs[0].PlaceBold);
  EXPECT_EQ(zs[5].HorseText, "6");
  EXPECT_EQ(zs[5].PlaceText, "");
  const auto& rs = s.predictedList.Races[ListRaceIndex(3, 1)].Groups[kGroupR];
  EXPECT_EQ(rs[0].HorseText, "6");
  EXPECT_EQ(rs[0].PlaceText, "4");
  EXPECT_EQ(rs[0].PlaceFore, 0);  // fourth and fifth are not coloured here
  EXPECT_FALSE(rs[0].PlaceBold);

  // The page of meeting 3, group Z: five entries and the favourite's odds.
  const auto page = PredictedPage(s.predictedList, 3, kGroupZ + 1);
  ASSERT_EQ(page.size(), 12u);
  EXPECT_EQ(page[0].Caption, "1R");
  EXPECT_EQ(page[0].Upset, " 12.4 B ");
  EXPECT_EQ(page[0].Leading, "TZ");
  EXPECT_EQ(page[0].Slots[0].Horse.Text, "7");
  EXPECT_EQ(page[0].Slots[0].Horse.Back, kListGrey);
  EXPECT_EQ(page[0].Slots[0].Place.Text, "1");
  EXPECT_EQ(page[0].Slots[4].Position.Text, "4");
  EXPECT_EQ(page[0].Slots[5].Horse.Text, "1.2");
  EXPECT_EQ(page[0].Slots[5].Position.Text, "2.5");
  EXPECT_EQ(page[0].Slots[5].Place.Text, " 2.7");
  EXPECT_EQ(page[1].Caption, "2R");
  EXPECT_EQ(page[1].Upset, "  ");
  EXPECT_EQ(page[1].Slots[0].Horse.Text, "");
}

// ---- Runs over the sample day ----

void LoadSample(Session& s, FakePort& port) {
  s.app.Pat98Folder = kSampleFolder;
  s.app.DataFolder = kSampleFolder;
  ASSERT_EQ(LoadCurrentData(s, port), 0);
}

TEST(LongshotList, DayRunListsWhatEachRaceSelectedByHandMarks) {
  Session s;
  FakePort port;
  LoadSample(s, port);
  // Meeting 2, race 4 has no odds file: caption only.
  const int course2 = s.race.MeetingInfo[2].CourseCode;
  s.race.OddsFileIndex[course2][4].clear();
  int resultReads = 0;
  ASSERT_TRUE(BuildLongshotList(s, port, [&](Session& in, UserPort&) {
    ++resultReads;
    EXPECT_TRUE(in.batch.Running);
    // Every race: the horse at position 4 wins.
    SetFinishers(in, {{in.race.HorseOrder[4], 1}});
  }));
  EXPECT_EQ(resultReads, 34);  // 35 races with odds, one of them not on sale
  EXPECT_EQ(port.progressCalls, 35);
  EXPECT_TRUE(port.Errors().empty());
  const LongshotListModel list = s.longshotList;
  EXPECT_EQ(list.MeetingCount, 3);
  EXPECT_EQ(list.MeetingCaptions[1], RacecourseName(s.race, s.race.MeetingInfo[1].CourseCode,
                                                    s.race.MeetingInfo[1].Year));
  const LongshotRace& blank = list.Races[ListRaceIndex(2, 4)];
  EXPECT_EQ(blank.Caption, "4R");
  EXPECT_EQ(blank.Upset, "");
  EXPECT_EQ(blank.Slots[0].Horse.Text, "");

  int listed = 0;
  for (int m = 1; m <= 3; ++m) {
    for (int r = 1; r <= 12; ++r) {
      if (m == 2 && r == 4) continue;
      SelectMeeting(s, m);
      SelectRace(s, port, 4 + r);
      const LongshotRace& race = list.Races[ListRaceIndex(m, r)];
      EXPECT_EQ(race.Caption, std::to_string(r) + "R");
      if (s.race.LoadStatus != 0) {
        EXPECT_EQ(race.Upset, "") << m << "/" << r;
        continue;
      }
      const std::string upset = s.analysis.UpsetText.empty()
                                    ? std::string()
                                    : s.analysis.UpsetText + " " + s.analysis.UpsetClassLetter + " ";
      EXPECT_EQ(race.Upset, upset) << m << "/" << r;
      std::vector<std::string> want;
      for (int p = 1; p <= s.prediction.RowCount; ++p) {
        const std::string& mark = s.prediction.Rows[p].Mark;
        if ((mark == "★" || mark == "☆") && want.size() < 6) {
          want.push_back(mark + std::to_string(s.race.HorseOrder[p]));
          const LongshotSlot& slot = race.Slots[want.size() - 1];
          EXPECT_EQ(slot.Place.Text, p == 4 ? "1" : "") << m << "/" << r;
          EXPECT_EQ(slot.Position.Back, s.mainWindow.odztan[p].BackColor);
        }
      }
      std::vector<std::string> got;
      for (const auto& slot : race.Slots) {
        if (!slot.Horse.Text.empty()) got.push_back(slot.Horse.Text);
      }
      EXPECT_EQ(got, want) << m << "/" << r;
      listed += static_cast<int>(got.size());
    }
  }
  EXPECT_GT(listed, 0);
}

TEST(PredictedList, DayRunFillsEveryAnalysedRaceAndRestoresTheRunFlag) {
  Session s;
  FakePort port;
  LoadSample(s, port);
  s.race.CurrentMeeting = 3;
  ASSERT_TRUE(BuildPredictedValuesList(s, port, {}));
  EXPECT_FALSE(s.batch.Running);
  EXPECT_EQ(s.race.CurrentMeeting, 3);
  int filled = 0;
  for (const PredictedRace& race : s.predictedList.Races) {
    if (!race.Filled) continue;
    ++filled;
    EXPECT_FALSE(race.UpsetText.empty());
    EXPECT_EQ(race.Leading.size(), 2u);
    EXPECT_FALSE(race.Favourite[1].empty());
    for (const auto& group : race.Groups) EXPECT_LE(group.size(), 6u);
  }
  EXPECT_EQ(filled, 35);

  // A second run rebuilds the list from scratch.
  const int course1 = s.race.MeetingInfo[1].CourseCode;
  s.race.OddsFileIndex[course1][1].clear();
  ASSERT_TRUE(BuildPredictedValuesList(s, port, {}));
  EXPECT_FALSE(s.predictedList.Races[0].Filled);
}

TEST(PredictedList, DayRunReadsTheResultsOfEveryRace) {
  Session s;
  FakePort port;
  LoadSample(s, port);
  ASSERT_TRUE(BuildPredictedValuesList(s, port));
  EXPECT_TRUE(port.Errors().empty());
  const PredictedValuesListModel list = s.predictedList;
  int placed = 0;
  for (int m = 1; m <= 3; ++m) {
    for (int r = 1; r <= 12; ++r) {
      SelectMeeting(s, m);
      SelectRace(s, port, 4 + r);
      if (s.race.LoadStatus != 0) continue;
      ReadRaceResults(s, port);
      std::map<std::string, int> placeOf;
      for (std::size_t n = 0; n < 5; ++n) {
        const int place = s.results.FinisherPlace[n];
        const std::string horse = std::to_string(s.results.FinisherHorse[n]);
        if (place >= 1 && place <= 5 && !placeOf.count(horse)) placeOf[horse] = place;
      }
      const PredictedRace& race = list.Races[ListRaceIndex(m, r)];
      for (const auto& group : race.Groups) {
        for (std::size_t k = 0; k < group.size() && k < 5; ++k) {
          const auto it = placeOf.find(group[k].HorseText);
          const std::string want = it == placeOf.end() ? "" : std::to_string(it->second);
          EXPECT_EQ(group[k].PlaceText, want) << m << "/" << r << " horse " << group[k].HorseText;
          if (!want.empty()) ++placed;
        }
      }
    }
  }
  // The sample day has results for part of its races.
  EXPECT_GT(placed, 0);
}

// ---- Exports ----

LongshotListModel TwoMeetings() {
  LongshotListModel list;
  list.Built = true;
  list.MeetingCount = 2;
  list.MeetingCaptions[1] = "東京";
  list.MeetingCaptions[2] = "京都";
  for (int m = 1; m <= 2; ++m) {
    for (int r = 1; r <= 12; ++r) list.Races[ListRaceIndex(m, r)].Caption = std::to_string(r) + "R";
  }
  auto& race = list.Races[ListRaceIndex(1, 10)];
  race.Slots[0].Horse.Text = "★2";
  race.Slots[1].Horse.Text = "☆18";
  list.Races[ListRaceIndex(2, 1)].Slots[0].Horse.Text = "☆9";
  return list;
}

TEST(LongshotExport, TextAndCsvLines) {
  const LongshotListModel list = TwoMeetings();
  const auto text = LongshotTextLines(list);
  ASSERT_EQ(text.size(), 26u);
  EXPECT_EQ(text[0], "東京 01 02 03 04 05 06 07 08 09 10 11 12 13 14 15 16 17 18");
  std::string dashes;
  for (int h = 1; h <= 18; ++h) dashes += " －";
  EXPECT_EQ(text[1], "   1" + dashes);
  EXPECT_EQ(text[10], "  10 － ★ － － － － － － － － － － － － － － － ☆");
  EXPECT_EQ(text[12], "  12" + dashes);
  EXPECT_EQ(text[13].substr(0, 6), "京都");
  EXPECT_EQ(text[14], "   1 － － － － － － － － ☆ － － － － － － － － －");

  const auto csv = LongshotCsvLines(list);
  ASSERT_EQ(csv.size(), 26u);
  EXPECT_EQ(csv[0], "東京,1,2,3,4,5,6,7,8,9,10,11,12,13,14,15,16,17,18");
  EXPECT_EQ(csv[1], "1, , , , , , , , , , , , , , , , , , ");
  EXPECT_EQ(csv[10], "10, ,★, , , , , , , , , , , , , , , ,☆");
}

TEST(LongshotExport, FileFolderAndOverwriteDialogue) {
  TempDir dir;
  Session s;
  FakePort port;
  s.race.GuideDate = "20021020";
  s.longshotList = TwoMeetings();

  // Missing folder: the message and nothing written.
  s.app.settings.CSVpath = (dir.path() / "missing").string();
  EXPECT_TRUE(ExportLongshotText(s, port).empty());
  ASSERT_EQ(port.Errors().size(), 1u);
  EXPECT_EQ(port.Errors()[0], std::string(kListFolderMissing) + "\n\n" + s.app.settings.CSVpath);
  EXPECT_EQ(port.messages[0].title, s.app.AppTitle);

  s.app.settings.CSVpath = dir.path().string();
  port = FakePort{};
  const fs::path txt = ExportLongshotText(s, port);
  EXPECT_EQ(txt, dir.path() / "1020推奨馬.txt");
  const std::string bytes = test::ReadAll(txt);
  EXPECT_EQ(bytes.substr(0, 8), text::EncodeSjis("東京 01 "));
  EXPECT_EQ(bytes.find("\r\n"), text::EncodeSjis(LongshotTextLines(s.longshotList)[0]).size());
  EXPECT_EQ(bytes, text::JoinLinesSjis(LongshotTextLines(s.longshotList)));
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].kind, test::Message::Info);
  EXPECT_EQ(port.messages[0].text, txt.string() + "\n\n" + kListWritten);

  // Existing file: No (the default) leaves it untouched, Yes replaces it.
  const fs::path csvPath = dir.path() / "1020推奨馬.csv";
  dir.Write("1020推奨馬.csv", "old");
  port = FakePort{};
  EXPECT_TRUE(ExportLongshotCsv(s, port).empty());
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].kind, test::Message::Question);
  EXPECT_EQ(port.messages[0].text, csvPath.string() + "\n\n" + kListOverwrite);
  EXPECT_EQ(port.messages[0].icon, Icon::Warning);
  EXPECT_EQ(port.messages[0].defaultAnswer, Answer::No);
  EXPECT_EQ(test::ReadAll(csvPath), "old");
  port = FakePort{};
  port.answers.push_back(Answer::Yes);
  EXPECT_EQ(ExportLongshotCsv(s, port), csvPath);
  EXPECT_EQ(test::ReadAll(csvPath), text::JoinLinesSjis(LongshotCsvLines(s.longshotList)));
}

TEST(LongshotExport, FileThatCannotBeCreatedIsReportedNotAnnounced) {
  TempDir dir;
  Session s;
  FakePort port;
  s.race.GuideDate = "20021020";
  s.longshotList = TwoMeetings();
  s.app.settings.CSVpath = dir.path().string();
  fs::create_directory(dir.path() / "1020推奨馬.txt");  // a folder where the file should go
  EXPECT_TRUE(ExportLongshotText(s, port).empty());
  ASSERT_EQ(port.messages.size(), 1u);
  EXPECT_EQ(port.messages[0].kind, test::Message::Error);
  EXPECT_EQ(port.messages[0].text.rfind("ErrorNo.", 0), 0u);
  EXPECT_NE(port.messages[0].text.find("\n\n"), std::string::npos);
}

}  // namespace
}  // namespace tz
