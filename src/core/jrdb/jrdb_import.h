// The import of JRDB's files as PAT98 days. One day: the betting guides (UY-) with the meetings
// and sale codes, the meeting guide (KA-ANNAI.JRA) from KAB, the odds and quinella/wide files
// (ZO-, UO-) from the base odds, the race cards (DE-), the results files (KS-) from SED and HJC,
// and the base-odds file itself in the day's jrdb/ subfolder, all made with the PAT98 record
// writers. The day is built in memory first and then written file by file, each atomically; an
// import that fails on the way removes the files it created and puts back the ones it replaced,
// so a folder never holds half a day. A season: one dated folder per day under StoreRoot.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "app/user_port.h"
#include "jrdb/jrdb_day.h"
#include "pat98/data_store.h"  // TimeOfDay

namespace tz {
struct Session;
}

namespace tz::jrdb {

// One file of an imported day: its name relative to the day's folder ("UY-A.JRA",
// "jrdb/OZ020908.txt") and its bytes.
struct DayFile {
  std::string name;
  std::string bytes;
};

struct ImportCounts {
  int meetings = 0;
  int races = 0;
  int runners = 0;   // horses of the race cards
  int results = 0;   // races with a results file
  int payouts = 0;   // payout entries written into the results files
};

struct BuiltDay {
  std::string date;  // yyyymmdd
  std::vector<DayFile> files;
  ImportCounts counts;
};

// The PAT98 files of a day read without problems.
BuiltDay BuildPat98Day(const JrdbDay& day);

// The sale code of a race: from BAC's sale flags 31 with quinella and wide, 15 with quinella,
// 7 with win, place or bracket quinella only, 0 with nothing; without BAC 31 when there are
// base wide odds for the race, else 15.
int SaleCode(const JrdbRace& race);

// Writes the files into `folder` (created when missing), all or nothing. Without `overwrite` a
// file that exists already (in any letter case) stops the import before anything is written.
// Returns an error text naming the file, empty on success; `written` gets the names written.
std::string WriteDayFiles(const std::filesystem::path& folder, const std::vector<DayFile>& files,
                          bool overwrite, std::vector<std::string>* written = nullptr);
// The names of the files that already exist in `folder`.
std::vector<std::string> ExistingDayFiles(const std::filesystem::path& folder,
                                          const std::vector<DayFile>& files);

struct ImportReport {
  std::string date;  // yyyymmdd; empty when no day was found
  std::filesystem::path folder;
  bool ok = false;
  bool declined = false;  // files of the day existed and were not to be written over
  std::string error;      // the problems, one a line ("\n")
  ImportCounts counts;
  std::vector<std::string> files;  // names written
};

// The one day of the JRDB folder into `out`. A folder without a JRDB file of a day, or with
// files of several dates, is an error.
ImportReport ImportJrdbDay(const std::filesystem::path& jrdbFolder,
                           const std::filesystem::path& out, bool overwrite);
// The day `yymmdd` of the JRDB folder into `out`.
ImportReport ImportJrdbDate(const std::filesystem::path& jrdbFolder, const std::string& yymmdd,
                            const std::filesystem::path& out, bool overwrite);
// The same two, asking before files of the day that exist are written over (given their names).
using OverwriteQuestion = std::function<bool(const std::vector<std::string>& existing)>;
ImportReport ImportJrdbDay(const std::filesystem::path& jrdbFolder,
                           const std::filesystem::path& out, const OverwriteQuestion& mayOverwrite);
ImportReport ImportJrdbDate(const std::filesystem::path& jrdbFolder, const std::string& yymmdd,
                            const std::filesystem::path& out, const OverwriteQuestion& mayOverwrite);

// Every day of the folder, each into its dated folder under `storeRoot` (DatedFolderName: the
// date, or with the time after it when that folder exists; with `overwrite` the day's own
// folder is written over). A broken day is reported and skipped. Progress goes to the port
// after each day.
std::vector<ImportReport> ImportJrdbSeason(const std::filesystem::path& jrdbFolder,
                                           const std::filesystem::path& storeRoot,
                                           bool overwrite, UserPort& port, TimeOfDay now);

// Texts of the import.
inline constexpr const char* kJrdbImportCaption = "JRDBﾃﾞｰﾀ変換";
inline constexpr const char* kJrdbNoDayMessage = "JRDBのﾃﾞｰﾀﾌｧｲﾙがありません。";
inline constexpr const char* kJrdbSeveralDatesMessage =
    "複数の日付のJRDBﾌｧｲﾙがあります。1日ずつ変換するか、全日付の変換を選んでください。";
inline constexpr const char* kJrdbExistsMessage = "変換先に同じ名前のﾌｧｲﾙがあります。";
inline constexpr const char* kJrdbOverwriteQuestion =
    "変換先に同じ名前のﾌｧｲﾙがあります。\n上書きしますか?";
inline constexpr const char* kJrdbOpenQuestion = "変換したﾃﾞｰﾀを開きますか?";

// One line of the report of a day: "2002-09-08: 3開催 36ﾚｰｽ 478頭 成績0 払戻0".
std::string ImportSummary(const ImportReport& r);

// The dialog's OK: the source and output folders checked, the overwrite question when files of
// the day exist, the import (one day into the output folder, or with `all` every day in its
// dated folder under the output folder, the store), the report, then the offer to open the
// (last) day imported. On the offer accepted the JRDB folder setting points at the day's jrdb/
// subfolder and openDay tells the caller to load dayFolder (the main window does, so that it
// shows the day).
struct JrdbImportRun {
  bool imported = false;  // at least one day was written
  bool openDay = false;   // the user chose to open it
  std::filesystem::path dayFolder;
  std::vector<ImportReport> reports;
};
JrdbImportRun RunJrdbImport(Session& s, UserPort& port, const std::filesystem::path& jrdbFolder,
                            const std::filesystem::path& outFolder, bool all);

}  // namespace tz::jrdb
