#include "jrdb/jrdb_readers.h"

#include <fmt/format.h>

#include <optional>

namespace tz::jrdb {

namespace {

// A runner count or horse number of a record: 1..18.
std::optional<int> Runners(RecordReader& rd, const Line& l, std::size_t offset, const char* field) {
  auto n = rd.Int(l, offset, 2, field);
  if (!n) return std::nullopt;
  if (*n > kMaxJrdbRunners) {
    rd.Fail(l, fmt::format("{}が{}です (18まで)", field, *n));
    return std::nullopt;
  }
  return n;
}

// Odds fields of `count` entries of 5 bytes from `offset`; false after reporting the first one
// that is not a number.
template <std::size_t N>
bool OddsFields(RecordReader& rd, const Line& l, std::size_t offset, std::size_t count,
                std::array<std::string, N>& out, std::size_t first, const char* field) {
  for (std::size_t i = 0; i < count; ++i) {
    auto v = DecimalField(l.bytes, offset + 5 * i, 5);
    if (!v) {
      rd.Fail(l, fmt::format("{}の{}番目「{}」がｵｯｽﾞではありません", field, i + 1,
                             std::string(Bytes(l.bytes, offset + 5 * i, 5))));
      return false;
    }
    out[first + i] = *v;
  }
  return true;
}

// The first digit of a going code ("1 ", "10", "21"): 1 良 .. 4 不良; 0 for a blank field.
std::optional<int> GoingDigit(RecordReader& rd, const Line& l, std::size_t offset) {
  std::string_view f = Bytes(l.bytes, offset, 2);
  if (f.empty() || f[0] == ' ') return 0;
  if (f[0] < '0' || f[0] > '9') {
    rd.Fail(l, fmt::format("馬場状態コード「{}」が読めません", std::string(f)));
    return std::nullopt;
  }
  return f[0] - '0';
}

// A payout pool of `count` entries of `numberWidth` + `amountWidth` bytes from `offset`. An
// entry is empty when its number is blank, or when it is all zeros with no amount: the numbers
// are zero-filled fields and the amounts zero-suppressed ones, so an unused entry may come as
// "00      0" as well as in blanks.
bool Pool(RecordReader& rd, const Line& l, std::size_t offset, int count, std::size_t numberWidth,
          std::size_t amountWidth, std::vector<PayoutEntry>& out, const char* pool) {
  const std::size_t width = numberWidth + amountWidth;
  for (int i = 0; i < count; ++i) {
    const std::size_t at = offset + width * static_cast<std::size_t>(i);
    bool blank = false;
    auto number = IntField(l.bytes, at, numberWidth, &blank);
    if (blank) continue;
    auto amount = IntField(l.bytes, at + numberWidth, amountWidth);
    std::string numbers(Bytes(l.bytes, at, numberWidth));
    const bool zeros = numbers.find_first_not_of('0') == std::string::npos;
    if (zeros && amount == 0) continue;
    // A number of zeros with an amount names no horse, bracket or combination.
    if (!number || !amount || zeros || numbers.find(' ') != std::string::npos) {
      rd.Fail(l, fmt::format("{}払戻の{}番目「{}」が読めません", pool, i + 1,
                             std::string(Bytes(l.bytes, at, width))));
      return false;
    }
    out.push_back({numbers, *amount});
  }
  return true;
}

}  // namespace

int PairIndex(int i, int j) {
  // Pairs before row i: 17 + 16 + ... over the rows 1..i-1.
  int before = 0;
  for (int r = 1; r < i; ++r) before += kMaxJrdbRunners - r;
  return before + (j - i - 1);
}

std::vector<BaseOddsRecord> ReadBaseOdds(const std::string& file, std::string_view bytes,
                                         std::vector<Problem>& problems) {
  RecordReader rd(file, bytes, problems);
  std::vector<BaseOddsRecord> out;
  for (const Line& l : rd.lines()) {
    auto key = rd.Key(l, kBaseOddsWinPlaceBytes);
    if (!key) continue;
    auto n = Runners(rd, l, 8, "登録頭数");
    if (!n) continue;
    BaseOddsRecord r;
    r.line = l.number;
    r.key = *key;
    r.keyText = l.bytes.substr(0, 8);
    r.runners = *n;
    if (!OddsFields(rd, l, 10, kMaxJrdbRunners, r.win, 1, "単勝基準ｵｯｽﾞ") ||
        !OddsFields(rd, l, 100, kMaxJrdbRunners, r.place, 1, "複勝基準ｵｯｽﾞ")) {
      continue;
    }
    if (l.bytes.size() >= kBaseOddsBytes) {
      if (!OddsFields(rd, l, 190, kPairCount, r.quinella, 0, "馬連基準ｵｯｽﾞ")) continue;
      r.hasQuinella = true;
    }
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<WideOddsRecord> ReadWideOdds(const std::string& file, std::string_view bytes,
                                         std::vector<Problem>& problems) {
  RecordReader rd(file, bytes, problems);
  std::vector<WideOddsRecord> out;
  for (const Line& l : rd.lines()) {
    auto key = rd.Key(l, kWideOddsBytes);
    if (!key) continue;
    auto n = Runners(rd, l, 8, "登録頭数");
    if (!n) continue;
    WideOddsRecord r;
    r.line = l.number;
    r.key = *key;
    r.runners = *n;
    if (!OddsFields(rd, l, 10, kPairCount, r.wide, 0, "ワイド基準ｵｯｽﾞ")) continue;
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<RunnerIdRecord> ReadRunnerIds(const std::string& file, std::string_view bytes,
                                          std::vector<Problem>& problems) {
  RecordReader rd(file, bytes, problems);
  std::vector<RunnerIdRecord> out;
  for (const Line& l : rd.lines()) {
    auto key = rd.Key(l, 18);
    if (!key) continue;
    auto number = Runners(rd, l, 8, "馬番");
    if (!number) continue;
    if (*number < 1) {
      rd.Fail(l, "馬番がありません");
      continue;
    }
    out.push_back({l.number, *key, *number, std::string(Bytes(l.bytes, 10, 8))});
  }
  return out;
}

std::vector<HorseNameRecord> ReadHorseNames(const std::string& file, std::string_view bytes,
                                            std::vector<Problem>& problems) {
  RecordReader rd(file, bytes, problems);
  std::vector<HorseNameRecord> out;
  for (const Line& l : rd.lines()) {
    if (l.bytes.size() < 44) {
      rd.Fail(l, fmt::format("レコードが短すぎます ({}バイト、44バイト必要)", l.bytes.size()));
      continue;
    }
    if (!rd.Int(l, 0, 8, "血統登録番号")) continue;
    out.push_back({l.number, l.bytes.substr(0, 8), TextField(l.bytes, 8, 36)});
  }
  return out;
}

std::vector<HorseEntryRecord> ReadHorseEntries(const std::string& file, std::string_view bytes,
                                               std::vector<Problem>& problems) {
  RecordReader rd(file, bytes, problems);
  std::vector<HorseEntryRecord> out;
  for (const Line& l : rd.lines()) {
    auto key = rd.Key(l, kHorseEntryBytes);
    if (!key) continue;
    auto number = Runners(rd, l, 8, "馬番");
    auto weight = rd.Int(l, 183, 3, "負担重量");
    auto bracket = rd.Int(l, 323, 1, "枠番");
    auto odds = DecimalField(l.bytes, 95, 5);
    if (!number || !weight || !bracket) continue;
    if (*number < 1 || *bracket > 8) {
      rd.Fail(l, *number < 1 ? "馬番がありません" : "枠番が8を超えています");
      continue;
    }
    HorseEntryRecord r;
    r.line = l.number;
    r.key = *key;
    r.number = *number;
    r.horseId = l.bytes.substr(10, 8);
    r.name = TextField(l.bytes, 18, 36);
    r.baseOdds = odds.value_or("");
    r.jockey = TextField(l.bytes, 171, 12);
    r.weightTenths = *weight;
    r.apprentice = TextField(l.bytes, 186, 1);
    r.trainer = TextField(l.bytes, 187, 12);
    r.bracket = *bracket;
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<ProgrammeRecord> ReadProgramme(const std::string& file, std::string_view bytes,
                                           std::vector<Problem>& problems) {
  RecordReader rd(file, bytes, problems);
  std::vector<ProgrammeRecord> out;
  for (const Line& l : rd.lines()) {
    auto key = rd.Key(l, kProgrammeBytes);
    if (!key) continue;
    auto date = rd.Int(l, 8, 8, "年月日");
    auto time = rd.Int(l, 16, 4, "発走時間");
    auto distance = rd.Int(l, 20, 4, "距離");
    auto surface = rd.Int(l, 24, 1, "芝ダ障害コード");
    auto runners = Runners(rd, l, 94, "頭数");
    if (!date || !time || !distance || !surface || !runners) continue;
    ProgrammeRecord r;
    r.line = l.number;
    r.key = *key;
    r.date = l.bytes.substr(8, 8);
    r.postTime = l.bytes.substr(16, 4);
    r.distance = *distance;
    r.surface = *surface;
    r.raceName = TextField(l.bytes, 36, 50);
    r.shortName = TextField(l.bytes, 106, 18);
    r.runners = *runners;
    bool flagsOk = true;
    for (std::size_t i = 0; i < r.sale.size(); ++i) {
      const char c = l.bytes[160 + i];
      if (c != '0' && c != '1' && c != ' ') flagsOk = false;
      r.sale[i] = c == '1';
    }
    if (!flagsOk) {
      rd.Fail(l, fmt::format("発売フラグ「{}」が読めません", l.bytes.substr(160, 8)));
      continue;
    }
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<MeetingConditionsRecord> ReadMeetings(const std::string& file, std::string_view bytes,
                                        std::vector<Problem>& problems) {
  RecordReader rd(file, bytes, problems);
  std::vector<MeetingConditionsRecord> out;
  for (const Line& l : rd.lines()) {
    auto key = rd.Key(l, kMeetingBytes, false);
    if (!key) continue;
    auto date = rd.Int(l, 6, 8, "年月日");
    auto weather = rd.Int(l, 21, 1, "天候コード");
    auto turf = GoingDigit(rd, l, 22);
    auto dirt = turf ? GoingDigit(rd, l, 40) : std::nullopt;
    if (!date || !weather || !turf || !dirt) continue;
    out.push_back({l.number, *key, l.bytes.substr(6, 8), *weather, *turf, *dirt});
  }
  return out;
}

std::vector<ResultRecord> ReadResults(const std::string& file, std::string_view bytes,
                                      std::vector<Problem>& problems) {
  RecordReader rd(file, bytes, problems);
  std::vector<ResultRecord> out;
  for (const Line& l : rd.lines()) {
    auto key = rd.Key(l, kResultBytes);
    if (!key) continue;
    auto number = Runners(rd, l, 8, "馬番");
    auto distance = rd.Int(l, 62, 4, "距離");
    auto surface = rd.Int(l, 66, 1, "芝ダ障害コード");
    auto going = GoingDigit(rd, l, 69);
    auto runners = Runners(rd, l, 130, "頭数");
    auto place = rd.Int(l, 140, 2, "着順");
    auto abnormal = rd.Int(l, 142, 1, "異常区分");
    auto time = rd.Int(l, 143, 4, "タイム");
    auto weight = rd.Int(l, 147, 3, "斤量");
    auto odds = DecimalField(l.bytes, 174, 6);
    auto popularity = rd.Int(l, 180, 2, "人気順位");
    if (!number || !distance || !surface || !going || !runners || !place || !abnormal || !time ||
        !weight || !popularity) {
      continue;
    }
    if (!odds) {
      rd.Fail(l, fmt::format("確定単勝ｵｯｽﾞ「{}」が読めません", std::string(Bytes(l.bytes, 174, 6))));
      continue;
    }
    if (*number < 1) {
      rd.Fail(l, "馬番がありません");
      continue;
    }
    ResultRecord r;
    r.line = l.number;
    r.key = *key;
    r.number = *number;
    r.horseId = l.bytes.substr(10, 8);
    r.name = TextField(l.bytes, 26, 36);
    r.distance = *distance;
    r.surface = *surface;
    r.going = *going;
    r.raceName = TextField(l.bytes, 80, 50);
    r.runners = *runners;
    r.place = *place;
    r.abnormal = *abnormal;
    r.time = *time > 0 ? fmt::format("{:04d}", *time) : std::string();
    r.weightTenths = *weight;
    r.jockey = TextField(l.bytes, 150, 12);
    r.finalWinOdds = *odds;
    r.popularity = *popularity;
    out.push_back(std::move(r));
  }
  return out;
}

std::vector<PayoutsRecord> ReadPayouts(const std::string& file, std::string_view bytes,
                                       std::vector<Problem>& problems) {
  RecordReader rd(file, bytes, problems);
  std::vector<PayoutsRecord> out;
  for (const Line& l : rd.lines()) {
    auto key = rd.Key(l, kPayoutsBytes);
    if (!key) continue;
    PayoutsRecord r;
    r.line = l.number;
    r.key = *key;
    if (Pool(rd, l, 8, 3, 2, 7, r.win, "単勝") && Pool(rd, l, 35, 5, 2, 7, r.place, "複勝") &&
        Pool(rd, l, 80, 3, 2, 7, r.bracket, "枠連") &&
        Pool(rd, l, 107, 3, 4, 8, r.quinella, "馬連") && Pool(rd, l, 143, 7, 4, 8, r.wide, "ワイド") &&
        Pool(rd, l, 227, 6, 4, 8, r.exacta, "馬単") && Pool(rd, l, 299, 3, 6, 8, r.trio, "３連複") &&
        Pool(rd, l, 341, 6, 6, 9, r.trifecta, "３連単")) {
      out.push_back(std::move(r));
    }
  }
  return out;
}

}  // namespace tz::jrdb
