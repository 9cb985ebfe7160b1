// One JRA day from JRDB's files: the files of the day found in a folder (names matched without
// regard to case, the date taken from the names: OZ + yymmdd + .TXT), read with the JRDB readers
// and put together per race. A day holds at most three meetings of the JRA racecourses and at
// most 18 runners a race; anything the readers could not use, and anything that does not fit
// such a day, is a problem naming the file and line, and a day with problems is not imported.
#pragma once

#include <array>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "jrdb/jrdb_readers.h"

namespace tz::jrdb {

// The kinds of JRDB files a day is made of, by their name prefix.
inline constexpr const char* kDayFileKinds[] = {"OZ",  "OW",  "SKB", "UKC", "KYI",
                                                "BAC", "KAB", "SED", "HJC"};

// yymmdd of every date that a JRDB file of those kinds carries in its name, in order.
std::vector<std::string> JrdbDatesInFolder(const std::filesystem::path& folder);
// The file of a kind and date (prefix + yymmdd + ".TXT" in any letter case).
std::optional<std::filesystem::path> FindJrdbFile(const std::filesystem::path& folder,
                                                  std::string_view kind,
                                                  std::string_view yymmdd);
// yyyymmdd of a yymmdd (19yy from 90 on).
std::string FullDate(std::string_view yymmdd);

struct JrdbRunner {
  int number = 0;
  int bracket = 0;  // from KYI, else 0
  std::string name;
  std::string jockey;
  int weightTenths = 0;
};

struct JrdbRace {
  RaceKey key;
  int runners = 0;  // the field: OZ 登録頭数, else BAC 頭数, else the highest horse number
  std::optional<BaseOddsRecord> odds;
  std::optional<WideOddsRecord> wide;
  std::optional<ProgrammeRecord> programme;
  std::array<JrdbRunner, kMaxJrdbRunners + 1> card{};  // 1..18
  std::vector<ResultRecord> results;                   // SED, in file order
  std::optional<PayoutsRecord> payouts;
};

struct JrdbMeeting {
  RaceKey key;  // race 0
  std::optional<MeetingConditionsRecord> conditions;  // KAB
};

struct JrdbDay {
  std::string date;  // yyyymmdd
  std::map<std::string, std::filesystem::path> files;  // kind -> file found
  std::vector<JrdbMeeting> meetings;                   // by racecourse code, at most three
  std::map<RaceKey, JrdbRace> races;
  std::vector<Problem> problems;  // not empty: the day cannot be imported
};

// Reads the day `yymmdd` from the folder.
JrdbDay ReadJrdbDay(const std::filesystem::path& folder, const std::string& yymmdd);

}  // namespace tz::jrdb
