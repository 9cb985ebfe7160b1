// Records of JRDB's data files built from plain values, for the tests of the JRDB readers and
// the import: every layout the readers take apart (OZ, OW, SKB, UKC, KYI, BAC, KAB, SED, HJC),
// padded with blanks to the full length of JRDB's record. Text values are UTF-8 and written in
// Shift_JIS; a field that does not fit is cut. Odds are given as texts ("7.9", "" for a blank
// field), right-aligned in their fields.
#pragma once

#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace tz::fixture::jrdb {

// The 8-character race key (6 without the race).
struct Key {
  int course = 1;
  int year = 2;  // two digits
  int kai = 2;
  int day = 2;
  int race = 1;
};
std::string KeyText(const Key& k, bool withRace = true);

struct BaseOdds {
  Key key;
  std::vector<std::string> win, place;  // horse 1 first; the runner count is win.size()
  std::vector<std::string> quinella;    // pairs in JRDB order; empty writes only 190 bytes
};
std::string BaseOddsLine(const BaseOdds& r);

struct WideOdds {
  Key key;
  int runners = 0;
  std::vector<std::string> wide;  // pairs in JRDB order
};
std::string WideOddsLine(const WideOdds& r);

std::string RunnerIdLine(const Key& k, int number, std::string_view horseId);    // SKB
std::string HorseNameLine(std::string_view horseId, std::string_view name);      // UKC

struct HorseEntry {  // KYI
  Key key;
  int number = 1;
  std::string horseId = "02101234";
  std::string name;
  std::string baseOdds;
  std::string jockey;
  int weightTenths = 550;
  std::string trainer;
  int bracket = 1;
};
std::string HorseEntryLine(const HorseEntry& e);

struct Programme {  // BAC
  Key key;
  std::string date = "20080913";
  std::string postTime = "1000";
  int distance = 1200;
  int surface = 1;
  std::string raceName;
  std::string shortName;
  int runners = 8;
  std::string saleFlags = "11111111";
};
std::string ProgrammeLine(const Programme& p);

struct Meeting {  // KAB
  Key key;
  std::string date = "20080913";
  int weather = 1;
  std::string turfGoing = "1 ";
  std::string dirtGoing = "1 ";
};
std::string MeetingLine(const Meeting& m);

struct Result {  // SED
  Key key;
  int number = 1;
  std::string horseId = "02101234";
  std::string name;
  int distance = 1200;
  int surface = 1;
  std::string going = "10";
  std::string raceName;
  int runners = 8;
  int place = 1;       // 0 writes "00"
  int abnormal = 0;
  std::string time = "1103";
  int weightTenths = 550;
  std::string jockey;
  std::string finalWinOdds = "3.5";
  int popularity = 1;
};
std::string ResultLine(const Result& r);

struct Payout {
  std::string numbers;  // "07", "0312", "030712"
  long amount = 0;
};
struct Payouts {  // HJC
  Key key;
  std::vector<Payout> win, place, bracket, quinella, wide, exacta, trio, trifecta;
  // Unused entries as zero-filled numbers with the amount 0 ("00      0"), as the field types
  // of the layout give them, instead of blanks.
  bool zeroFilledEmpty = false;
};
std::string PayoutsLine(const Payouts& p);

// Lines joined with CR LF after each.
std::string FileBytes(const std::vector<std::string>& lines);

// A folder of JRDB files: writes name -> bytes pairs into it (created when missing). Throws
// std::runtime_error when a file cannot be written.
void WriteFiles(const std::filesystem::path& folder,
                const std::vector<std::pair<std::string, std::string>>& files);

}  // namespace tz::fixture::jrdb
