#include "pat98/pseudo_guide.h"

#include <fmt/format.h>

#include <array>
#include <fstream>

#include "pat98/day_loader.h"
#include "text/files.h"
#include "text/sjis.h"

namespace tz {

namespace {

namespace fs = std::filesystem;

std::string ReadHeadBytes(const fs::path& p, std::size_t n) {
  std::ifstream in(p, std::ios::binary);
  if (!in) return {};
  std::string buf(n, '\0');
  in.read(buf.data(), static_cast<std::streamsize>(n));
  buf.resize(static_cast<std::size_t>(in.gcount()));
  return buf;
}

}  // namespace

std::string PseudoGuideRecord(const std::string& dateKey, int courseCode,
                              const std::string& headerChars,
                              const std::vector<std::string>& saleCodes) {
  std::string rec = text::Left(dateKey + std::string(8, ' '), 8);
  rec += std::string(50, '0');
  rec += fmt::format("{:02d}", courseCode);
  rec += headerChars;
  rec += "1";
  for (int r = 1; r <= kMaxRaces; ++r) {
    rec += r < static_cast<int>(saleCodes.size()) && !saleCodes[r].empty() ? saleCodes[r] : "00";
  }
  rec += std::string(559, '0');
  rec += '\r';
  return rec;
}

void BuildPseudoGuide(RaceModel& r, const AppState& app, UserPort& port) {
  const fs::path& folder = app.DataFolder;
  r.LoadStatus = kLoadOk;
  r.OddsFileCount = 0;

  // Scan: every odds file must carry the same date.
  std::vector<std::string> names = text::ListFolder(folder, "ZO*.JRA");
  std::string dateKey;
  std::vector<std::string> listed;
  for (std::size_t i = 0; i < names.size(); ++i) {
    std::string first8 = text::Left(text::DecodeSjis(ReadHeadBytes(folder / names[i], 18)), 8);
    if (i == 0) {
      dateKey = first8;
    } else if (first8 != dateKey) {
      port.Error(app.AppTitle, kMixedDatesMessage);
      r.LoadStatus = kLoadOddsMissing;
      return;
    }
    listed.push_back(names[i]);
  }
  for (const std::string& n : listed) {
    if (r.OddsFileCount >= kMaxOddsFiles) break;
    r.OddsFileList[r.OddsFileCount++] = n;
  }

  // Work table: racecourse 1..10, slot 0 = header piece, slots 1..12 = sale codes.
  std::vector<std::vector<std::string>> work(kMaxCourses + 1, std::vector<std::string>(kMaxRaces + 1));
  for (const std::string& name : listed) {
    if (name.size() < 6) continue;
    int c = CodeCharValue(name[3]);
    int race = CodeCharValue(name[5]);
    // Names whose racecourse or race character codes nothing are left out.
    if (c < 1 || c > kMaxCourses || race < 1 || race > kMaxRaces) continue;
    std::string head = ReadHeadBytes(folder / name, 40);
    if (head.size() < 40) continue;  // too short to hold the header fields
    r.OddsCourseName = text::FieldB(head, 29, 4);
    // Eight characters whatever the bytes hold, so that the record keeps its positions.
    std::string kept = text::Left(text::FieldB(head, 33, 8) + std::string(8, ' '), 8);
    work[c][0] = fmt::format("{:02d}", c) + kept;
    std::string companion = "UO-" + name.substr(3);
    bool hasQuinella = text::FindEntry(folder, companion).has_value();
    work[c][race] = hasQuinella ? "31" : "07";
  }

  int c = 1;
  for (int guideFile = 1; guideFile <= kMaxMeetings; ++guideFile) {
    const std::string guideName = BettingGuideFileName(guideFile);
    while (c <= kMaxCourses && work[c][0].empty()) ++c;
    if (c > kMaxCourses) break;
    std::vector<std::string> codes(kMaxRaces + 1);
    for (int race = 1; race <= kMaxRaces; ++race) codes[race] = work[c][race];
    // Slot 0 holds the two-digit code and the eight header characters.
    std::string kept = text::Mid(work[c][0], 3);
    std::string rec = PseudoGuideRecord(dateKey, c, kept, codes);
    std::string err = text::WriteFileAtomic(text::ResolveName(folder, guideName), text::EncodeSjis(rec));
    if (!err.empty()) {
      port.Error(app.AppTitle, err);
      r.LoadStatus = kLoadOddsMissing;
      return;
    }
    work[c][0].clear();
  }
}

}  // namespace tz
