#include "pat98/day_loader.h"

#include <fcntl.h>
#include <fmt/format.h>
#include <unistd.h>

#include <cerrno>

#include <algorithm>
#include <optional>
#include <system_error>

#include "app/startup.h"
#include "betting/bank_link.h"
#include "pat98/pseudo_guide.h"
#include "session.h"
#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace {

namespace fs = std::filesystem;

const char* const kCourseNames[] = {"",     "札幌", "函館", "福島", "新潟", "東京",
                                    "中山", "中京", "京都", "阪神", "小倉"};
const char* const kFourBlanks = "    ";

// The first `maxBytes` bytes of a file (fewer when it is shorter); nothing when unreadable.
std::optional<std::string> ReadHead(const fs::path& p, std::size_t maxBytes) {
  const int fd = ::open(p.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return std::nullopt;
  std::string buf(maxBytes, '\0');
  std::size_t got = 0;
  // A read error (a folder) ends the bytes read so far.
  while (got < maxBytes) {
    const ssize_t n = ::read(fd, buf.data() + got, maxBytes - got);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    got += static_cast<std::size_t>(n);
  }
  ::close(fd);
  buf.resize(got);
  return buf;
}

// The first n characters of a Shift_JIS file, decoded ("" when it cannot be read).
std::string ReadFirstChars(const fs::path& p, std::size_t n) {
  // A character takes at most two bytes; read a little more so the n-th is complete.
  auto head = ReadHead(p, 2 * n + 2);
  if (!head) return {};
  return text::Left(text::DecodeSjis(*head), n);
}

// A decimal integer field; blanks and text that is not a number give 0.
int Num(std::string_view s) {
  std::int64_t v = text::ValInt(s);
  if (v > 1000000 || v < -1000000) return 0;
  return static_cast<int>(v);
}

bool ValidCourse(int c) { return c >= 1 && c <= kMaxCourses; }

struct GuideFields {
  std::string date;
  MeetingRecord info;
  std::string courseName;
  std::array<int, kMaxRaces + 1> saleCodes{};
};

GuideFields ParseGuide(const std::string& rec) {
  GuideFields g;
  g.date = text::Mid(rec, 1, 8);
  g.info.CourseCode = Num(text::Mid(rec, 59, 2));
  g.info.Year = Num(text::Mid(rec, 61, 4));
  g.info.Kai = Num(text::Mid(rec, 65, 2));
  g.info.Day = Num(text::Mid(rec, 67, 2));
  for (int r = 1; r <= kMaxRaces; ++r) g.saleCodes[r] = Num(text::Mid(rec, 70 + 2 * (r - 1), 2));
  g.courseName = text::Mid(rec, 94, 2);
  return g;
}

bool SameFolder(const fs::path& a, const fs::path& b) {
  std::error_code ec1, ec2;
  fs::path ca = fs::weakly_canonical(a, ec1);
  fs::path cb = fs::weakly_canonical(b, ec2);
  if (ec1 || ec2) return a.lexically_normal() == b.lexically_normal();
  return ca == cb;
}

}  // namespace

std::string RacecourseTableName(int code) { return ValidCourse(code) ? kCourseNames[code] : ""; }

std::string RacecourseName(const RaceModel& race, int code, int year) {
  if (year == 9999) {
    if (code >= 1 && code <= kMaxMeetings) return race.MeetingCourseName[code];
    return kFourBlanks;
  }
  if (ValidCourse(code)) return kCourseNames[code];
  return kFourBlanks;
}

int RacecourseCode(std::string_view name) {
  for (int c = 1; c <= kMaxCourses; ++c) {
    if (name == kCourseNames[c]) return c;
  }
  return 0;
}

void ReadDayGuides(RaceModel& r, const AppState& app, text::FolderIndex& folders) {
  const fs::path& folder = app.DataFolder;
  for (int c = 1; c <= kMaxCourses; ++c) r.CourseMeetingSlot[c] = 0;
  r.LoadStatus = kLoadOk;

  auto guideA = folders.FindFile(folder, BettingGuideFileName(1));
  if (!guideA) {
    r.LoadStatus = text::ListFolder(folder, "ZO*.JRA").empty() ? kLoadNothing : kLoadPseudoPossible;
    r.GuideDate = "";
    r.GuideDateText = "";
    r.GuideDateIso = "";
    return;
  }

  // Guides are written without gaps (A, then B, then C). Should one be missing, the later
  // ones move up so that meeting numbers, sale-code rows and slots stay in step.
  std::array<int, kMaxMeetings + 1> slotOfFile{};
  // Sale codes of a guide that is absent are 0, so that an advance-sale odds file without
  // its guide never takes the sale codes of an earlier day.
  for (auto& row : r.RaceSaleCode) row.fill(0);
  r.MeetingCount = 0;
  for (int m = 1; m <= kMaxMeetings; ++m) {
    auto p = folders.FindFile(folder, BettingGuideFileName(m));
    if (!p) continue;
    GuideFields g = ParseGuide(ReadFirstChars(*p, 100));
    r.MeetingCount += 1;
    const int slot = r.MeetingCount;
    slotOfFile[m] = slot;
    if (slot == 1 && !IsGuideDate(g.date)) {
      r.LoadStatus = kLoadBadGuideDate;
      r.MeetingCount = 0;
      r.GuideDate = "";
      r.GuideDateText = "";
      r.GuideDateIso = "";
      return;
    }
    if (slot == 1) {
      r.GuideDate = g.date;
      r.GuideDateText = text::Mid(g.date, 1, 4) + "年" + text::Mid(g.date, 5, 2) + "月" +
                        text::Mid(g.date, 7, 2) + "日";
      r.GuideDateIso = text::Mid(g.date, 1, 4) + "-" + text::Mid(g.date, 5, 2) + "-" +
                       text::Mid(g.date, 7, 2);
    }
    r.MeetingInfo[slot] = g.info;
    r.MeetingCourseName[slot] = g.courseName;
    if (ValidCourse(g.info.CourseCode)) r.CourseMeetingSlot[g.info.CourseCode] = slot;
    for (int race = 1; race <= kMaxRaces; ++race) r.RaceSaleCode[slot][race] = g.saleCodes[race];
  }
  for (int m = 1; m <= kMaxMeetings; ++m) {
    if (slotOfFile[m] == 0) continue;
    auto p = folders.FindFile(folder, BettingGuideFileName(m + 3));
    if (!p) continue;
    GuideFields g = ParseGuide(ReadFirstChars(*p, 100));
    for (int race = 1; race <= kMaxRaces; ++race) {
      r.RaceSaleCode[slotOfFile[m] + 3][race] = g.saleCodes[race];
    }
  }
}

bool IsGuideDate(std::string_view date) {
  return date.size() == 8 && std::all_of(date.begin(), date.end(), [](char c) {
           return c >= '0' && c <= '9';
         });
}

void ReadMeetingGuide(RaceModel& r, const AppState& app, text::FolderIndex& folders) {
  r.GuideHour = 0;
  auto p = folders.FindFile(app.DataFolder, kMeetingGuideFileName);
  if (!p) return;
  auto bytes = text::ReadFileBytes(*p);
  if (!bytes || bytes->size() < 12) return;
  if (text::FieldB(*bytes, 1, 8) != r.GuideDate) return;
  r.GuideHour = Num(text::MidB(*bytes, 9, 2));
  r.GuideMinute = Num(text::MidB(*bytes, 11, 2));
  for (int m = 1; m <= r.MeetingCount && m <= kMaxMeetings; ++m) {
    std::size_t block = 33 + 44 * static_cast<std::size_t>(m - 1);
    MeetingGuideRecord& g = r.MeetingGuide[m];
    // A block cut off by the end of the file gives the part that is there (empty beyond).
    g.Weather = text::FieldB(*bytes, block + 32, 4);
    g.TurfGoing = text::FieldB(*bytes, block + 36, 4);
    g.DirtGoing = text::FieldB(*bytes, block + 40, 4);
  }
}

void BuildOddsFileIndex(RaceModel& r, const AppState& app) {
  for (auto& row : r.OddsFileIndex) row.fill(std::string());
  r.OddsFileCount = 0;
  r.CurrentDayOddsCount = 0;

  for (const std::string& name : text::ListFolder(app.DataFolder, "ZO*.JRA")) {
    if (r.OddsFileCount >= kMaxOddsFiles) break;
    // PAT98's odds names have exactly ten characters; others cannot be found again from
    // the index and are left out, as are names whose code characters mean nothing.
    if (name.size() != 10) continue;
    int c = CodeCharValue(name[3]);
    int d = CodeCharValue(name[4]);
    int raceCode = CodeCharValue(name[5]);
    if (!ValidCourse(c) || d == 0 || raceCode == 0) continue;
    int m = r.CourseMeetingSlot[c];
    if (m < 1 || m > kMaxMeetings) continue;  // a racecourse without a guide
    if (ReadFirstChars(app.DataFolder / name, 8) != r.GuideDate) continue;
    r.OddsFileList[r.OddsFileCount++] = name;
  }

  for (int i = 0; i < r.OddsFileCount; ++i) {
    const std::string& name = r.OddsFileList[i];
    int c = CodeCharValue(name[3]);
    int d = CodeCharValue(name[4]);
    int m = r.CourseMeetingSlot[c];
    int slot;
    if (r.MeetingInfo[m].Day < d) {
      slot = kAdvanceSaleSlot;  // a later racing day of the meeting: the advance-sale race
    } else {
      slot = CodeCharValue(name[5]);
      r.CurrentDayOddsCount += 1;
    }
    r.OddsFileIndex[c][slot] = name;
  }
}

void RefreshDayView(RaceModel& r, DayViewModel& v, AppState& app, text::FolderIndex& folders) {
  r.HorseCount = 0;
  for (int m = 1; m <= kMaxMeetings; ++m) v.meetingButtons[m].icon = kIconNone;
  if (app.ReloadAllWindows != 0) {
    v.closeWindows = CloseWindowsRequest::AllButMain;
    app.ReloadAllWindows = 0;
  } else {
    v.closeWindows = CloseWindowsRequest::AllButKept;
  }
  if (r.MeetingCount == 0) return;

  v.oddsAreaVisible = false;
  v.mainToolBarEnabled = false;
  int count = std::min(r.MeetingCount, kMaxMeetings);
  if (r.CurrentMeeting < 1 || r.CurrentMeeting > count) {
    for (int m = 1; m <= kMaxMeetings; ++m) {
      MeetingButtonView& b = v.meetingButtons[m];
      b.visible = m <= count;
      b.enabled = m <= count;
      b.caption = m <= count ? RacecourseName(r, r.MeetingInfo[m].CourseCode, r.MeetingInfo[m].Year) : "";
      b.toolTip.clear();
    }
    r.CurrentMeeting = 1;
  }
  for (int m = 1; m <= kMaxMeetings; ++m) v.meetingButtons[m].pressed = m == r.CurrentMeeting;

  const int cm = r.CurrentMeeting;
  r.CurrentCourse = r.MeetingInfo[cm].CourseCode;
  v.statusPanel5 = kStatusPanel5Text;

  for (int slot = 1; slot <= kAdvanceSaleSlot; ++slot) {
    RaceButtonView& b = v.raceButtons[4 + slot];
    const std::string name = ValidCourse(r.CurrentCourse) ? r.OddsFileIndex[r.CurrentCourse][slot] : "";
    b.resultsOnly = false;
    if (!text::StartsWithNoCase(name, "Z")) {
      b.resultsOnly = slot <= kMaxRaces && IsResultsOnlyRace(r, app, folders, cm, slot);
      b.enabled = b.resultsOnly;
    } else if (slot <= kMaxRaces) {
      b.enabled = r.RaceSaleCode[cm][slot] >= 1;
    } else {
      b.enabled = true;
    }
  }

  MeetingButtonView& cur = v.meetingButtons[cm];
  if (r.GuideHour != 0) {
    const MeetingGuideRecord& g = r.MeetingGuide[cm];
    std::string w = text::Trim(g.Weather);
    if (w == "晴") cur.icon = kIconFine;
    else if (w == "曇") cur.icon = kIconCloudy;
    else if (w == "雨") cur.icon = kIconRain;
    else if (w == "小雨") cur.icon = kIconLightRain;
    else if (w == "雪") cur.icon = kIconSnow;
    else cur.icon = kIconNone;
    cur.toolTip = fmt::format("{}時{}分現在　[{}] [芝：{}] [ﾀﾞｰﾄ：{}]", r.GuideHour, r.GuideMinute,
                              g.Weather, g.TurfGoing, g.DirtGoing);
  } else {
    cur.icon = kIconNoMeetingGuide;
    cur.toolTip = kNoMeetingGuideTip;
  }
}

int GuideYearDigit(const RaceModel& race) {
  const std::string& iso = race.GuideDateIso;  // "yyyy-mm-dd" from a guide date of digits
  return iso.size() >= 4 && iso[3] >= '0' && iso[3] <= '9' ? iso[3] - '0' : 0;
}

bool IsResultsOnlyRace(const RaceModel& r, const AppState& app, text::FolderIndex& folders, int meeting,
                       int race) {
  if (meeting < 1 || meeting > std::min(r.MeetingCount, kMaxMeetings) || race < 1 || race > kMaxRaces) {
    return false;
  }
  const MeetingRecord& info = r.MeetingInfo[meeting];
  if (!ValidCourse(info.CourseCode)) return false;
  if (!text::Trim(r.OddsFileIndex[info.CourseCode][race]).empty()) return false;
  return folders
      .FindFile(app.DataFolder,
                ResultsFileName(info.CourseCode, GuideYearDigit(r), info.Kai, info.Day, race))
      .has_value();
}

int LoadCurrentData(Session& s, UserPort& port, DayLoad kind) {
  // A load shows the day without a race picked for its results.
  s.mainWindow.ResultsOnly = false;
  return LoadDay(s.race, s.dayView, s.app, s.folders, port, kind);
}

int LoadDay(RaceModel& r, DayViewModel& v, AppState& a, text::FolderIndex& folders, UserPort& port,
            DayLoad kind) {
  if (kind == DayLoad::FirstLoad) v.hintLabelVisible = HasPat98Program(a.DataFolder) != 0;

  folders.Clear();
  // A guide whose date is not a date is refused: the bet, export and list names of the day are
  // all made from it.
  const auto refuseBadDate = [&] {
    if (r.LoadStatus != kLoadBadGuideDate) return;
    port.Error(a.AppTitle, std::string(kBadGuideDateMessage) + "\n\n" +
                               text::ResolveName(a.DataFolder, BettingGuideFileName(1)).string());
  };
  ReadDayGuides(r, a, folders);
  refuseBadDate();
  if (r.LoadStatus < 0) r.MeetingCount = 0;
  if (r.LoadStatus > 0) {
    Answer ans = port.Ask(a.AppTitle, kNoGuideQuestion, Buttons::YesNo, Icon::Warning, Answer::Yes);
    if (ans != Answer::Yes) return r.LoadStatus;
    BuildPseudoGuide(r, a, port);
    folders.Forget(a.DataFolder);  // the guides just written
    if (r.LoadStatus != 0) return r.LoadStatus;
    ReadDayGuides(r, a, folders);
    refuseBadDate();
    // The builder writes no guide when no odds file names a known racecourse; the day is
    // then empty rather than the previous day's meetings.
    if (r.LoadStatus != 0) r.MeetingCount = 0;
  }

  for (int b = 5; b <= 17; ++b) {
    v.raceButtons[b].icon = 0;
    v.raceButtons[b].pressed = false;
  }
  ReadMeetingGuide(r, a, folders);
  v.caption = "Tazuna98 - " + a.DataFolder.string();

  if (r.MeetingCount > 0) {
    if (!SameFolder(a.DataFolder, a.Pat98Folder)) {
      v.saveCurrentEnabled = false;
      v.updateSavedEnabled = a.Pat98GuideDate == r.GuideDate;
    } else {
      v.saveCurrentEnabled = true;
      v.updateSavedEnabled = false;
    }
    if (a.settings.BankLink == 1) WriteBankLink(a, r);
    v.statusPanel1 = r.GuideDateText;
    for (int m = 1; m <= kMaxMeetings; ++m) v.meetingButtons[m].visible = false;
  } else {
    v.mainToolBarEnabled = false;
    v.oddsAreaVisible = false;
    v.statusPanel1.clear();
    r.StartTimeText.clear();
    r.StartTimeCaption.clear();
    v.saveCurrentEnabled = false;
    v.updateSavedEnabled = false;
    for (int m = 1; m <= kMaxMeetings; ++m) {
      MeetingButtonView& b = v.meetingButtons[m];
      b = MeetingButtonView{};
      b.visible = true;
    }
    for (int b = 5; b <= 17; ++b) v.raceButtons[b] = RaceButtonView{};
    DeleteBankLink(a);
  }

  BuildOddsFileIndex(r, a);
  r.CurrentMeeting = 0;
  RefreshDayView(r, v, a, folders);
  WriteCurrentFolderFile(a, r);
  return r.LoadStatus;
}

}  // namespace tz
