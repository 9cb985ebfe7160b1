#include "pat98/odds_reader.h"

#include "pat98/day_loader.h"

#include <filesystem>

#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"

namespace tz {

namespace {

namespace fs = std::filesystem;

constexpr std::size_t kOddsHeaderBytes = 142;
constexpr std::size_t kQuinellaHeaderBytes = 144;
constexpr std::size_t kHorseSlot = 18;
constexpr std::size_t kBracketTableStart = 325;  // body character of the first entry
constexpr std::size_t kBracketEntry = 10;
constexpr std::size_t kBracketTableEnd = 684;    // last body character of the table

const char* const kScratch5 = " ﾄﾘｹｼ";
const char* const kScratch6 = "  ﾄﾘｹｼ";

// The odds file or quinella file of a path, its name looked up without regard to case.
std::optional<fs::path> Locate(text::FolderIndex& folders, const std::string& pathText) {
  if (pathText.empty()) return std::nullopt;
  fs::path p(pathText);
  return folders.FindFile(p.parent_path().empty() ? fs::path(".") : p.parent_path(),
                          p.filename().string());
}

int Num(std::string_view s) {
  std::int64_t v = text::ValInt(s);
  if (v > 1000000 || v < -1000000) return 0;
  return static_cast<int>(v);
}

// Characters start..start+len-1 of a body that holds single-byte characters only; taken from
// the undecoded bytes so that a stray double-byte character cannot shift later fields.
std::string BodyField(std::string_view body, std::size_t start, std::size_t len) {
  return text::FieldB(body, start, len);
}

std::string Rule5(const std::string& v) { return v == "  0.0" ? std::string("999.9") : v; }
std::string Rule6(const std::string& v) { return v == "   0.0" ? std::string("9999.9") : v; }

// The undecoded body of a file: after the header, up to but not including the last byte.
std::string_view RawBody(std::string_view bytes, std::size_t header) {
  if (bytes.size() <= header + 1) return {};
  return bytes.substr(header, bytes.size() - header - 1);
}

// Bytes of the selected race's odds file body, kept between the steps of one read.
std::string& CurrentBodyBytes(RaceModel& r) { return r.OddsBody[0]; }

}  // namespace

bool IsScratched5(std::string_view v) { return v == kScratch5 || v == "     "; }
bool IsScratched6(std::string_view v) { return v == kScratch6 || v == "      "; }

std::size_t BracketEntryStart(int i, int j) {
  std::size_t rowStart = kBracketTableStart;
  for (int k = 1; k < i; ++k) rowStart += kBracketEntry * static_cast<std::size_t>(9 - k);
  return rowStart + kBracketEntry * static_cast<std::size_t>(j - i);
}

std::array<int, kMaxHorses + 1> BracketsForField(int n) {
  std::array<int, kMaxHorses + 1> out{};
  if (n < 0) n = 0;
  if (n > kMaxHorses) n = kMaxHorses;
  if (n <= 7) {
    for (int h = 1; h <= n; ++h) out[h] = h;
    return out;
  }
  int base = n / 8;
  int extra = n % 8;
  int h = 1;
  for (int b = 1; b <= 8; ++b) {
    int size = base + (b > 8 - extra ? 1 : 0);
    for (int k = 0; k < size && h <= n; ++k) out[h++] = b;
  }
  return out;
}

bool ReadOddsHeader(RaceModel& r, const AppState& app, UserPort& port, const std::string& bytes) {
  const std::string date = text::FieldB(bytes, 1, 8);
  r.OddsCourseName = text::FieldB(bytes, 29, 4);
  std::string_view digit = text::MidB(bytes, 36, 1);
  r.OddsHeaderDigit = Num(digit);
  r.OddsKai = Num(text::MidB(bytes, 37, 2));
  r.OddsDay = Num(text::MidB(bytes, 39, 2));
  r.CurrentRace = Num(text::MidB(bytes, 41, 2));
  r.OddsTimeKind = Num(text::MidB(bytes, 43, 1));
  r.OddsHour = Num(text::MidB(bytes, 45, 2));
  r.OddsMinute = Num(text::MidB(bytes, 47, 2));
  r.RaceTitle[0] = text::FieldB(bytes, 49, 28);
  r.RaceTitle[1] = text::FieldB(bytes, 77, 28);
  int count = Num(text::MidB(bytes, 141, 2));
  // The body is kept undecoded: it holds single-byte characters only, so character k of the
  // body is byte k, and a stray byte cannot move the fields after it.
  r.OddsBody[0] = std::string(RawBody(bytes, kOddsHeaderBytes));

  // A file too short for its header, its horses or the bracket table, or a horse count
  // outside 1..18, cannot be read: the race shows no horses.
  const bool usable = bytes.size() > kOddsHeaderBytes && count >= 1 && count <= kMaxHorses &&
                      r.OddsBody[0].size() >= kBracketTableEnd;
  if (!usable) {
    r.HorseCount = 0;
    port.Error(app.AppTitle, std::string(kBadOddsFileMessage) + "\n" +
                                 fs::path(r.OddsFilePath[0]).filename().string());
    r.LoadStatus = kLoadBadOddsFile;
    return false;
  }
  r.HorseCount = count;
  if (date != r.GuideDate) {
    port.Error(app.AppTitle, kDateMismatchMessage);
    r.LoadStatus = kLoadDateMismatch;
    return false;
  }
  return true;
}

void ReadSingleOdds(RaceModel& r) {
  const std::string& body = CurrentBodyBytes(r);
  for (int h = 1; h <= r.HorseCount && h <= kMaxHorses; ++h) {
    r.HorseOrder[h] = h;
    std::size_t slot = kHorseSlot * static_cast<std::size_t>(h - 1);
    std::string win = BodyField(body, slot + 4, 5);
    if (IsScratched5(win)) {
      r.WinOdds[h].clear();
      r.PlaceOddsLow[h].clear();
      r.PlaceOddsHigh[h].clear();
      if (r.ScratchedCount < kMaxHorses) r.ScratchedHorses[++r.ScratchedCount] = h;
    } else {
      r.WinOdds[h] = Rule5(win);
      r.PlaceOddsLow[h] = Rule5(BodyField(body, slot + 9, 5));
      r.PlaceOddsHigh[h] = Rule5(BodyField(body, slot + 14, 5));
    }
  }
}

void ReadBracketQuinellaOdds(RaceModel& r) {
  const std::string& body = CurrentBodyBytes(r);
  for (int i = 1; i <= kMaxBrackets; ++i) {
    for (int j = i; j <= kMaxBrackets; ++j) {
      std::string v = BodyField(body, BracketEntryStart(i, j) + 5, 5);
      std::string stored = IsScratched5(v) ? std::string() : Rule5(v);
      r.BracketQuinellaOdds[i][j] = stored;
      r.BracketQuinellaOdds[j][i] = stored;
    }
  }
}

void AssignBrackets(RaceModel& r) {
  auto brackets = BracketsForField(r.HorseCount);
  for (int h = 1; h <= r.HorseCount && h <= kMaxHorses; ++h) r.HorseBracket[h] = brackets[h];
}

int ReadRaceOdds(RaceModel& r, const AppState& app, text::FolderIndex& folders, UserPort& port) {
  r.LoadStatus = kLoadOk;
  auto path = Locate(folders, r.OddsFilePath[0]);
  std::optional<std::string> bytes;
  if (path) bytes = text::ReadFileBytes(*path);
  if (!bytes) {
    r.LoadStatus = kLoadOddsMissing;
    return r.LoadStatus;
  }
  if (!ReadOddsHeader(r, app, port, *bytes)) return r.LoadStatus;
  ReadSingleOdds(r);
  ReadBracketQuinellaOdds(r);
  AssignBrackets(r);
  return r.LoadStatus;
}

void ReadQuinellaFile(RaceModel& r, text::FolderIndex& folders) {
  auto path = Locate(folders, r.OddsFilePath[1]);
  std::optional<std::string> bytes;
  if (path) bytes = text::ReadFileBytes(*path);
  if (!bytes) {
    r.LoadStatus = kLoadOddsMissing;
    return;
  }
  // A whole header must name the race of the odds file: a file of another day or race left
  // beside it is not this race's quinella odds. (A file without a readable header is no
  // quinella file at all, which the body check below tells.)
  const std::string date = text::FieldB(*bytes, 1, 8);
  const bool readableHeader = bytes->size() >= kQuinellaHeaderBytes && IsGuideDate(date);
  if (readableHeader &&
      (date != r.GuideDate || text::FieldB(*bytes, 29, 4) != r.OddsCourseName ||
       Num(text::MidB(*bytes, 37, 2)) != r.OddsKai || Num(text::MidB(*bytes, 39, 2)) != r.OddsDay ||
       Num(text::MidB(*bytes, 41, 2)) != r.CurrentRace)) {
    r.LoadStatus = kLoadQuinellaOtherRace;
    return;
  }
  const int n = std::min(r.HorseCount, kMaxHorses);
  const std::string body(RawBody(*bytes, kQuinellaHeaderBytes));
  const bool withWide = text::MidB(body, 5, 1) == "-";
  const std::size_t entry = withWide ? 25 : 12;
  const std::size_t pairs = n > 1 ? static_cast<std::size_t>(n * (n - 1) / 2) : 0;
  if (body.size() < entry * pairs) {
    // Not a quinella file of this race: nothing is stored.
    r.LoadStatus = kLoadBadQuinellaFile;
    return;
  }
  r.OddsBody[1] = body;

  std::size_t k = 0;
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j, ++k) {
      const std::size_t at = 1 + entry * k;
      if (!withWide) {
        std::string v = BodyField(body, at + 4, 6);
        std::string q = IsScratched6(v) ? std::string() : Rule6(v);
        r.QuinellaOdds[i][j] = r.QuinellaOdds[j][i] = q;
        r.WideOddsLow[i][j] = r.WideOddsLow[j][i] = "   0.0";
        r.WideOddsHigh[i][j] = r.WideOddsHigh[j][i] = "   0.0";
      } else {
        std::string q = BodyField(body, at + 7, 6);
        if (IsScratched6(q)) {
          r.QuinellaOdds[i][j] = r.QuinellaOdds[j][i] = "";
          r.WideOddsLow[i][j] = r.WideOddsLow[j][i] = "";
          r.WideOddsHigh[i][j] = r.WideOddsHigh[j][i] = "";
        } else {
          r.QuinellaOdds[i][j] = r.QuinellaOdds[j][i] = Rule6(q);
          r.WideOddsLow[i][j] = r.WideOddsLow[j][i] = Rule6(BodyField(body, at + 13, 6));
          r.WideOddsHigh[i][j] = r.WideOddsHigh[j][i] = Rule6(BodyField(body, at + 19, 6));
        }
      }
    }
  }
  if (!withWide) r.NoWideOdds = 1;
}

namespace {

void ClearWide(RaceModel& r) {
  for (auto& row : r.WideOddsLow) row.fill(std::string());
  for (auto& row : r.WideOddsHigh) row.fill(std::string());
}

// The value of bracket-table entry (i, j) with the scratched marker and the "999.9" rule.
std::string BracketValue(const RaceModel& r, int i, int j) {
  std::string v = BodyField(r.OddsBody[0], BracketEntryStart(i, j) + 5, 5);
  return IsScratched5(v) ? std::string() : Rule5(v);
}

}  // namespace

void QuinellaFromBracketTable(RaceModel& r) {
  const int n = std::min(r.HorseCount, kMaxBrackets);
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      std::string v = BracketValue(r, i, j);
      r.QuinellaOdds[i][j] = v;
      r.QuinellaOdds[j][i] = v;
    }
  }
  ClearWide(r);
}

void QuinellaFromBracketRepresentatives(RaceModel& r) {
  const int n = std::min(r.HorseCount, kMaxHorses);
  auto brackets = BracketsForField(n);
  std::array<int, kMaxBrackets + 1> size{};
  for (int h = 1; h <= n; ++h) size[brackets[h]] += 1;
  std::array<int, kMaxBrackets + 1> rep{};
  for (int h = 1; h <= n; ++h) {
    int b = brackets[h];
    if (rep[b] != 0) continue;
    if (size[b] == 1 || !r.WinOdds[h].empty()) rep[b] = h;
  }

  for (auto& row : r.QuinellaOdds) row.fill(std::string());
  for (int b1 = 1; b1 < kMaxBrackets; ++b1) {
    for (int b2 = b1 + 1; b2 <= kMaxBrackets; ++b2) {
      // A bracket whose horses are all scratched has no representative: its pairs stay empty.
      if (rep[b1] == 0 || rep[b2] == 0) continue;
      std::string v = BracketValue(r, b1, b2);
      r.QuinellaOdds[rep[b1]][rep[b2]] = v;
      r.QuinellaOdds[rep[b2]][rep[b1]] = v;
    }
  }
  ClearWide(r);
}

}  // namespace tz
