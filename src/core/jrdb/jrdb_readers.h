// Readers of the JRDB files of one day. Each takes the file's name (for the messages) and its
// bytes and returns the records it could use; every record it could not use is added to
// `problems` (jrdb/jrdb_records.h: offsets count bytes, short, long, blank and garbled records).
// Text fields are decoded from Shift_JIS and trimmed; odds fields keep their texts ("  7.9"
// becomes "7.9", a blank field ""), so that no value is changed on the way.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "jrdb/jrdb_records.h"

namespace tz::jrdb {

inline constexpr int kMaxJrdbRunners = 18;
inline constexpr int kPairCount = 153;  // pairs 1-2, 1-3 .. 1-18, 2-3 .. 17-18

// The index 0..152 of pair (i, j), 1 <= i < j <= 18, in JRDB's pair order.
int PairIndex(int i, int j);

// OZ: base odds (基準オッズ). 0-7 key, 8-9 登録頭数, 10 + 5i win odds of horse i+1, 100 + 5i place
// odds, 190 + 5k quinella odds of pair k. A record of 190 bytes has win and place odds only.
struct BaseOddsRecord {
  int line = 0;
  RaceKey key;
  std::string keyText;  // the 8 bytes as written
  int runners = 0;
  std::array<std::string, kMaxJrdbRunners + 1> win{};    // 1..18
  std::array<std::string, kMaxJrdbRunners + 1> place{};  // 1..18
  bool hasQuinella = false;                              // the record holds the pair block
  std::array<std::string, kPairCount> quinella{};
};
inline constexpr std::size_t kBaseOddsWinPlaceBytes = 190;
inline constexpr std::size_t kBaseOddsBytes = 955;
std::vector<BaseOddsRecord> ReadBaseOdds(const std::string& file, std::string_view bytes,
                                         std::vector<Problem>& problems);

// OW: base wide odds. 0-7 key, 8-9 登録頭数, 10 + 5k wide odds of pair k.
struct WideOddsRecord {
  int line = 0;
  RaceKey key;
  int runners = 0;
  std::array<std::string, kPairCount> wide{};
};
inline constexpr std::size_t kWideOddsBytes = 775;
std::vector<WideOddsRecord> ReadWideOdds(const std::string& file, std::string_view bytes,
                                         std::vector<Problem>& problems);

// SKB: one runner per record. 0-7 key, 8-9 馬番, 10-17 血統登録番号.
struct RunnerIdRecord {
  int line = 0;
  RaceKey key;
  int number = 0;
  std::string horseId;
};
std::vector<RunnerIdRecord> ReadRunnerIds(const std::string& file, std::string_view bytes,
                                          std::vector<Problem>& problems);

// UKC: one horse per record. 0-7 血統登録番号, 8-43 馬名.
struct HorseNameRecord {
  int line = 0;
  std::string horseId;
  std::string name;
};
std::vector<HorseNameRecord> ReadHorseNames(const std::string& file, std::string_view bytes,
                                            std::vector<Problem>& problems);

// KYI: one runner per record (1,024 bytes in JRDB's layout). 8-9 馬番, 10-17 血統登録番号, 18-53
// 馬名, 95-99 基準オッズ, 171-182 騎手名, 183-185 負担重量 (0.1 kg), 186 見習い区分, 187-198 調教師名,
// 323 枠番.
struct HorseEntryRecord {
  int line = 0;
  RaceKey key;
  int number = 0;
  std::string horseId;
  std::string name;
  std::string baseOdds;
  std::string jockey;
  int weightTenths = 0;  // 0 when blank
  std::string apprentice;
  std::string trainer;
  int bracket = 0;  // 0 when blank
};
inline constexpr std::size_t kHorseEntryBytes = 324;
std::vector<HorseEntryRecord> ReadHorseEntries(const std::string& file, std::string_view bytes,
                                               std::vector<Problem>& problems);

// BAC: the programme, one race per record. 8-19 yyyymmddHHMM, 20-23 距離, 24 芝ダ障害, 36-85 レース名,
// 94-95 頭数, 106-123 レース名９文字, 160-167 発売フラグ (単勝, 複勝, 枠連, 馬連, 馬単, ワイド, ３連複,
// ３連単).
struct ProgrammeRecord {
  int line = 0;
  RaceKey key;
  std::string date;      // yyyymmdd
  std::string postTime;  // hhmm
  int distance = 0;
  int surface = 0;  // 1 芝, 2 ダート, 3 障害
  std::string raceName;
  std::string shortName;
  int runners = 0;
  std::array<bool, 8> sale{};  // 単勝, 複勝, 枠連, 馬連, 馬単, ワイド, ３連複, ３連単
};
inline constexpr std::size_t kProgrammeBytes = 168;
std::vector<ProgrammeRecord> ReadProgramme(const std::string& file, std::string_view bytes,
                                           std::vector<Problem>& problems);

// KAB: meeting conditions, one meeting per record. 0-5 key without R, 6-13 yyyymmdd, 21 天候コード,
// 22-23 芝馬場状態コード, 40-41 ダ馬場状態コード.
struct MeetingConditionsRecord {
  int line = 0;
  RaceKey key;  // race 0
  std::string date;
  int weather = 0;    // 1 晴, 2 曇, 3 小雨, 4 雨, 5 小雪, 6 雪; 0 blank
  int turfGoing = 0;  // first digit of the code: 1 良, 2 稍重, 3 重, 4 不良; 0 blank
  int dirtGoing = 0;
};
inline constexpr std::size_t kMeetingBytes = 42;
std::vector<MeetingConditionsRecord> ReadMeetings(const std::string& file, std::string_view bytes,
                                        std::vector<Problem>& problems);

// SED: results, one runner per record. 8-9 馬番, 10-17 血統登録番号, 26-61 馬名, 62-65 距離, 66 芝ダ障害,
// 69-70 馬場状態, 80-129 レース名, 130-131 頭数, 140-141 着順, 142 異常区分, 143-146 タイム (MSST),
// 147-149 斤量 (0.1 kg), 150-161 騎手名, 174-179 確定単勝オッズ, 180-181 確定単勝人気順位.
struct ResultRecord {
  int line = 0;
  RaceKey key;
  int number = 0;
  std::string horseId;
  std::string name;
  int distance = 0;
  int surface = 0;
  int going = 0;  // first digit of the code
  std::string raceName;
  int runners = 0;
  int place = 0;     // 0: did not finish
  int abnormal = 0;  // 0 none, 1 取消, 2 除外, 3 中止, 4 失格, 5 降着, 6 再騎乗
  std::string time;  // 4 digits MSST, empty when blank
  int weightTenths = 0;
  std::string jockey;
  std::string finalWinOdds;  // "8.8"; empty when blank
  int popularity = 0;
};
inline constexpr std::size_t kResultBytes = 182;
std::vector<ResultRecord> ReadResults(const std::string& file, std::string_view bytes,
                                      std::vector<Problem>& problems);

// HJC: payouts, one race per record. Each pool is a list of entries (number, amount in yen per
// 100 yen); an entry with a blank number is empty.
struct PayoutEntry {
  std::string numbers;  // "07", "0312" (pairs), "030712" (triples), "35" (brackets)
  long amount = 0;
};
struct PayoutsRecord {
  int line = 0;
  RaceKey key;
  std::vector<PayoutEntry> win, place, bracket, quinella, wide, exacta, trio, trifecta;
};
inline constexpr std::size_t kPayoutsBytes = 431;
std::vector<PayoutsRecord> ReadPayouts(const std::string& file, std::string_view bytes,
                                       std::vector<Problem>& problems);

}  // namespace tz::jrdb
