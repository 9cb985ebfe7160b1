#include "pat98/odds_reader.h"

#include "pat98/day_loader.h"

#include <cstdint>
#include <cstring>
#include <filesystem>

#include "text/files.h"
#include "text/in_place.h"
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

constexpr std::string_view kScratch5 = " ﾄﾘｹｼ";
constexpr std::string_view kScratch6 = "  ﾄﾘｹｼ";

// The odds file or quinella file of a path, its name looked up without regard to case.
std::optional<std::string> Locate(text::FolderIndex& folders, const std::string& pathText) {
  if (pathText.empty()) return std::nullopt;
  // A plain "folder/name" (the paths the selection resolves) is split at its last separator
  // without taking the whole path apart; anything else goes through the path's own parts.
  const std::size_t slash = pathText.rfind('/');
  if (slash != std::string::npos && slash > 0 && pathText[slash - 1] != '/' &&
      slash + 1 < pathText.size()) {
    const std::string_view name = std::string_view(pathText).substr(slash + 1);
    if (name != "." && name != "..") {
      return folders.FindFilePath(fs::path(pathText.substr(0, slash)), name);
    }
  }
  fs::path p(pathText);
  return folders.FindFilePath(p.parent_path().empty() ? fs::path(".") : p.parent_path(),
                              p.filename().string());
}

int Num(std::string_view s) {
  std::int64_t v = text::ValInt(s);
  if (v > 1000000 || v < -1000000) return 0;
  return static_cast<int>(v);
}

// Characters start..start+len-1 of a body that holds single-byte characters only; taken from
// the undecoded bytes so that a stray double-byte character cannot shift later fields. A field
// of ASCII bytes is its own text; another is decoded into `decoded`, which the result then views.
std::string_view BodyField(std::string_view body, std::size_t start, std::size_t len,
                           std::string& decoded) {
  const std::string_view raw = text::MidB(body, start, len);
  // One test for the whole field: a byte of 0x80 or more leaves its top bit in the OR.
  unsigned char bits = 0;
  for (unsigned char c : raw) bits |= c;
  if (bits < 0x80) return raw;
  text::DecodeSjisInto(decoded, raw);
  return decoded;
}

// The blanks of a scratched horse's field and a quoted 0.0, as the files write them.
constexpr std::string_view kBlanks6 = "      ";
constexpr std::string_view kZero6 = "   0.0";

// A quoted 0.0 is stored as the odds that sort last.
const OddsQuote kLast5("999.9");
const OddsQuote kLast6("9999.9");

// The odds field of W (5 or 6) characters at body character `start` into `cell`: its text, a
// quoted 0.0 as the odds that sort last. With `scratchMarks`, a scratched marker or blanks
// leave the cell empty instead and give false.
template <std::size_t W>
bool StoreOddsField(OddsQuote& cell, std::string_view body, std::size_t start, bool scratchMarks,
                    std::string& decoded) {
  static_assert(W == 5 || W == 6);
  const std::string_view blanks = kBlanks6.substr(6 - W);
  const std::string_view zero = kZero6.substr(6 - W);
  const OddsQuote& last = W == 5 ? kLast5 : kLast6;
  // The usual field, whole and of ASCII bytes, is read from the bytes in place.
  if (start >= 1 && start - 1 + W <= body.size()) {
    const char* const f = body.data() + (start - 1);
    // The field's bytes as one word, so that one test finds a byte of 0x80 or more.
    std::uint64_t bytes = 0;
    std::memcpy(&bytes, f, W);
    if ((bytes & 0x8080808080808080u) == 0) {
      const std::string_view v(f, W);
      if (scratchMarks && v == blanks) {
        cell.clear();
        return false;
      }
      if (v == zero) {
        cell = last;
      } else {
        cell.assignField<W>(f);
      }
      return true;
    }
  }
  // Any other field as it decodes.
  const std::string_view v = BodyField(body, start, W, decoded);
  if (scratchMarks && (W == 5 ? IsScratched5(v) : IsScratched6(v))) {
    cell.clear();
    return false;
  }
  if (v == zero) {
    cell = last;
  } else {
    cell.assign(v);
  }
  return true;
}

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
  r.OddsBody[0].assign(RawBody(bytes, kOddsHeaderBytes));

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
  std::string decoded;
  for (int h = 1; h <= r.HorseCount && h <= kMaxHorses; ++h) {
    r.HorseOrder[h] = h;
    std::size_t slot = kHorseSlot * static_cast<std::size_t>(h - 1);
    if (StoreOddsField<5>(r.WinOdds[h], body, slot + 4, true, decoded)) {
      StoreOddsField<5>(r.PlaceOddsLow[h], body, slot + 9, false, decoded);
      StoreOddsField<5>(r.PlaceOddsHigh[h], body, slot + 14, false, decoded);
    } else {
      r.PlaceOddsLow[h].clear();
      r.PlaceOddsHigh[h].clear();
      if (r.ScratchedCount < kMaxHorses) r.ScratchedHorses[++r.ScratchedCount] = h;
    }
  }
}

namespace {

// Bracket-table entry (i, j) of an odds body as stored: the scratched marker empty, a quoted
// 0.0 as "999.9".
void StoreBracketEntry(OddsQuote& cell, std::string_view body, int i, int j,
                       std::string& decoded) {
  StoreOddsField<5>(cell, body, BracketEntryStart(i, j) + 5, true, decoded);
}

}  // namespace

void ReadBracketQuinellaOdds(RaceModel& r) {
  const std::string& body = CurrentBodyBytes(r);
  std::string decoded;
  for (int i = 1; i <= kMaxBrackets; ++i) {
    for (int j = i; j <= kMaxBrackets; ++j) {
      StoreBracketEntry(r.BracketQuinellaOdds[i][j], body, i, j, decoded);
      r.BracketQuinellaOdds[j][i] = r.BracketQuinellaOdds[i][j];
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
  if (path) bytes = text::ReadPathBytes(*path);
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
  if (path) bytes = text::ReadPathBytes(*path);
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
  const std::string_view body = RawBody(*bytes, kQuinellaHeaderBytes);
  const bool withWide = text::MidB(body, 5, 1) == "-";
  const std::size_t entry = withWide ? 25 : 12;
  const std::size_t pairs = n > 1 ? static_cast<std::size_t>(n * (n - 1) / 2) : 0;
  if (body.size() < entry * pairs) {
    // Not a quinella file of this race: nothing is stored.
    r.LoadStatus = kLoadBadQuinellaFile;
    return;
  }
  r.OddsBody[1].assign(body);

  // A file without wide odds quotes every wide pair as "   0.0".
  const OddsQuote noWide("   0.0");
  std::string decoded;
  std::size_t k = 0;
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j, ++k) {
      const std::size_t at = 1 + entry * k;
      OddsQuote& q = r.QuinellaOdds[i][j];
      OddsQuote& low = r.WideOddsLow[i][j];
      OddsQuote& high = r.WideOddsHigh[i][j];
      if (!withWide) {
        StoreOddsField<6>(q, body, at + 4, true, decoded);
        low = noWide;
        high = noWide;
      } else if (StoreOddsField<6>(q, body, at + 7, true, decoded)) {
        StoreOddsField<6>(low, body, at + 13, false, decoded);
        StoreOddsField<6>(high, body, at + 19, false, decoded);
      } else {
        low.clear();
        high.clear();
      }
      r.QuinellaOdds[j][i] = q;
      r.WideOddsLow[j][i] = low;
      r.WideOddsHigh[j][i] = high;
    }
  }
  if (!withWide) r.NoWideOdds = 1;
}

namespace {

void ClearTable(Table2<OddsQuote, kMaxHorses, kMaxHorses>& table) {
  for (auto& row : table) {
    for (OddsQuote& cell : row) cell.clear();
  }
}

void ClearWide(RaceModel& r) {
  ClearTable(r.WideOddsLow);
  ClearTable(r.WideOddsHigh);
}

}  // namespace

void QuinellaFromBracketTable(RaceModel& r) {
  const int n = std::min(r.HorseCount, kMaxBrackets);
  std::string decoded;
  for (int i = 1; i < n; ++i) {
    for (int j = i + 1; j <= n; ++j) {
      StoreBracketEntry(r.QuinellaOdds[i][j], r.OddsBody[0], i, j, decoded);
      r.QuinellaOdds[j][i] = r.QuinellaOdds[i][j];
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

  ClearTable(r.QuinellaOdds);
  std::string decoded;
  for (int b1 = 1; b1 < kMaxBrackets; ++b1) {
    for (int b2 = b1 + 1; b2 <= kMaxBrackets; ++b2) {
      // A bracket whose horses are all scratched has no representative: its pairs stay empty.
      if (rep[b1] == 0 || rep[b2] == 0) continue;
      StoreBracketEntry(r.QuinellaOdds[rep[b1]][rep[b2]], r.OddsBody[0], b1, b2, decoded);
      r.QuinellaOdds[rep[b2]][rep[b1]] = r.QuinellaOdds[rep[b1]][rep[b2]];
    }
  }
  ClearWide(r);
}

}  // namespace tz
