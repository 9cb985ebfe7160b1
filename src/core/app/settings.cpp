#include "app/settings.h"

#include <algorithm>
#include <charconv>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "app/ini_file.h"
#include "text/numbers.h"
#include "text/strings.h"

namespace tz {
namespace {

constexpr std::int64_t kI16Lo = std::numeric_limits<std::int16_t>::min();
constexpr std::int64_t kI16Hi = std::numeric_limits<std::int16_t>::max();
constexpr std::int64_t kI32Lo = std::numeric_limits<std::int32_t>::min();
constexpr std::int64_t kI32Hi = std::numeric_limits<std::int32_t>::max();

// One OPTION integer key: its name, its member (16- or 32-bit), the value used when the key
// is empty, and the range the value is clamped to (its storage size, or a stated clamp).
struct OptionInt {
  const char* name;
  int Settings::*i16;
  std::int32_t Settings::*i32;
  std::int64_t empty;
  std::int64_t lo;
  std::int64_t hi;
};

#define OPT16(key, def) OptionInt{#key, &Settings::key, nullptr, def, kI16Lo, kI16Hi}
#define OPT16C(key, def, lo, hi) OptionInt{#key, &Settings::key, nullptr, def, lo, hi}
#define OPT32(key, def) OptionInt{#key, nullptr, &Settings::key, def, kI32Lo, kI32Hi}

// OPTION integer keys in the order they are read.
const std::vector<OptionInt>& OptionKeys() {
  static const std::vector<OptionInt> keys = {
      OPT16(AUTO, 0),       OPT16(CJ, 0),          OPT16(CR, 0),
      OPT16(CH, 0),         OPT16(CB, 0),          OPT16(BankLink, 0),
      OPT16(HitWait, 0),    OPT16(HitColor, 1),    OPT16(LogDisp, 1),
      OPT16(LogColor, 0),   OPT16(PointBar, 0),    OPT16(UpValue, 0),
      OPT16(DownValue, 0),  OPT16(Grph, 0),        OPT16(GrphStart, 0),
      OPT16(Window, 1),     OPT16(TermScr, 0),     OPT16(SaveMsg, 1),
      OPT16(RankDisp, 1),   OPT16(AutoGraph, 0),   OPT16(AutoYoso, 0),
      OPT16(AutoWaku, 0),   OPT16(AutoLog, 0),     OPT16(AutoKekka, 0),
      OPT16(SortFolder, 0), OPT16(AnaColor, 0),    OPT16(NinkiDsp, 0),
      OPT16(RankLeft, 0),   OPT16(UmaTanShi, 0),   OPT16(OdzColor, 0),
      OPT16C(CnJiku, 1, 1, 7), OPT16C(CnRank, 1, 1, 5), OPT16C(CnHimo, 1, 1, 7),
      OPT16C(CnBken, 1, 1, 2), OPT32(Money, 100),  OPT32(Limit, 1000),
      OPT32(Profit, 10000), OPT16(YosoMode, 0),  OPT16(ImpliedWin, 0),
  };
  return keys;
}

#undef OPT16
#undef OPT16C
#undef OPT32

// OPTION keys in the order they are written (Mask goes after AUTO).
const std::vector<const char*>& OptionWriteOrder() {
  static const std::vector<const char*> order = {
      "CJ",        "CR",       "CH",        "CB",        "AUTO",      "Mask",
      "BankLink",  "HitWait",  "HitColor",  "LogDisp",   "LogColor",  "PointBar",
      "UpValue",   "DownValue", "Grph",     "GrphStart", "Window",    "CnJiku",
      "CnRank",    "CnHimo",   "CnBken",    "TermScr",   "SaveMsg",   "RankDisp",
      "AutoGraph", "AutoYoso", "AutoWaku",  "AutoLog",   "AutoKekka", "SortFolder",
      "AnaColor",  "NinkiDsp", "RankLeft",  "UmaTanShi", "OdzColor",  "YosoMode",
      "Money",     "Limit",    "Profit",    "ImpliedWin",
  };
  return order;
}

std::int64_t GetInt(const Settings& s, const OptionInt& k) {
  return k.i16 ? static_cast<std::int64_t>(s.*(k.i16)) : static_cast<std::int64_t>(s.*(k.i32));
}

void SetInt(Settings& s, const OptionInt& k, std::int64_t v) {
  v = std::clamp(v, k.lo, k.hi);
  if (k.i16) {
    s.*(k.i16) = static_cast<int>(v);
  } else {
    s.*(k.i32) = static_cast<std::int32_t>(v);
  }
}

const OptionInt* FindOption(const char* name) {
  for (const OptionInt& k : OptionKeys()) {
    if (std::string_view(k.name) == name) return &k;
  }
  return nullptr;
}

constexpr const char* kFolderKeys[] = {"Patpath", "Betpath", "Txtpath", "Txtfile",
                                       "Tksfile", "Cnvpath", "CSVpath", "OZpath"};

std::string FolderValue(const AppState& st, std::string_view key) {
  const Settings& s = st.settings;
  if (key == "Patpath") return st.Pat98Folder.string();
  if (key == "Betpath") return st.BetFolder.string();
  if (key == "Txtpath") return s.Txtpath;
  if (key == "Txtfile") return s.Txtfile;
  if (key == "Tksfile") return s.Tksfile;
  if (key == "Cnvpath") return s.Cnvpath;
  if (key == "CSVpath") return s.CSVpath;
  return s.OZpath;
}

void SetFolderValue(AppState& st, std::string_view key, const std::string& v) {
  Settings& s = st.settings;
  if (key == "Patpath") st.Pat98Folder = v;
  else if (key == "Betpath") st.BetFolder = v;
  else if (key == "Txtpath") s.Txtpath = v;
  else if (key == "Txtfile") s.Txtfile = v;
  else if (key == "Tksfile") s.Tksfile = v;
  else if (key == "Cnvpath") s.Cnvpath = v;
  else if (key == "CSVpath") s.CSVpath = v;
  else s.OZpath = v;
}

std::string WindowKey(const char* what, int i) {
  return std::string("Win") + std::to_string(i) + what;
}

// Window positions are single precision; written in their shortest decimal form.
std::string FloatText(double v) {
  char buf[64];
  auto r = std::to_chars(buf, buf + sizeof buf, static_cast<float>(v), std::chars_format::fixed);
  return std::string(buf, r.ptr);
}

void OpenIni(clsIniFile& ini, const AppState& state) {
  ini.SetPathName(state.StoreRoot);
  ini.SetFileName(kSettingsFileName);
}

}  // namespace

void ReadSettings(AppState& state) {
  clsIniFile ini;
  OpenIni(ini, state);
  Settings& s = state.settings;

  for (const char* key : kFolderKeys) SetFolderValue(state, key, ini.ReadData("FOLDER", key));

  for (const OptionInt& k : OptionKeys()) {
    std::string v = ini.ReadData("OPTION", k.name);
    SetInt(s, k, v.empty() ? k.empty : text::ValInt(v));
    if (std::string_view(k.name) == "CB") {
      // Mask is read between CB and BankLink.
      std::string m = ini.ReadData("OPTION", "Mask");
      s.Mask = m.empty() ? "*.txt" : m;
    }
  }

  WindowPositions defaults;
  auto readWin = [&](const std::string& key, double def) {
    std::string v = ini.ReadData("WINDOW", key);
    return v.empty() ? def : static_cast<double>(static_cast<float>(text::Val(v)));
  };
  s.Windows.WinWidth = readWin("WinWidth", defaults.WinWidth);
  s.Windows.WinWidthStored = !ini.ReadData("WINDOW", "WinWidth").empty();
  for (int i = 1; i <= 7; ++i) {
    s.Windows.Top[i] = readWin(WindowKey("Top", i), defaults.Top[i]);
    s.Windows.Left[i] = readWin(WindowKey("Left", i), defaults.Left[i]);
  }
  state.MainWindowWidth = s.Windows.WinWidth;

  // The check list used to live in the CHECK section; names found there are taken over.
  for (int i = 0; i < 30; ++i) {
    std::string v = ini.ReadData("CHECK", "Name" + std::to_string(i));
    if (!text::Trim(v).empty()) state.CheckList.push_back(CheckEntry{0, v});
  }
  std::array<std::int64_t, 3> colourIndex{};
  for (int i = 0; i < 3; ++i) colourIndex[i] = text::ValInt(ini.ReadData("CHECK", "Color" + std::to_string(i)));

  for (std::size_t i = 0; i < state.BoxColors.size(); ++i) {
    std::string v = ini.ReadData("OPTION", "Box" + std::to_string(i));
    if (v.empty()) {
      // A colour index outside the three default colours falls back to the first.
      std::int64_t idx = i < colourIndex.size() ? colourIndex[i] : 0;
      if (idx < 0 || idx > 2) idx = 0;
      state.BoxColors[i] = state.DefaultCheckColors[static_cast<std::size_t>(idx)];
    } else {
      state.BoxColors[i] = static_cast<Colour>(std::clamp(text::WholeTextToInt(v), kI32Lo, kI32Hi));
    }
  }

  std::array<std::string, 6> ranges;
  bool anyEmpty = false;
  for (int i = 0; i < 6; ++i) {
    ranges[i] = ini.ReadData("RANGE", "Range" + std::to_string(i));
    if (ranges[i].empty()) anyEmpty = true;
  }
  if (anyEmpty) {
    s.OddsRanges = Settings{}.OddsRanges;
  } else {
    for (int i = 0; i < 6; ++i) {
      s.OddsRanges[i] = static_cast<std::int32_t>(std::clamp(text::WholeTextToInt(ranges[i]), kI32Lo, kI32Hi));
    }
  }
}

std::string WriteSettings(const AppState& state, bool checkListSaved) {
  clsIniFile ini;
  OpenIni(ini, state);
  const Settings& s = state.settings;

  for (const char* key : kFolderKeys) ini.WriteData("FOLDER", key, FolderValue(state, key));

  for (const char* key : OptionWriteOrder()) {
    if (std::string_view(key) == "Mask") {
      ini.WriteData("OPTION", "Mask", s.Mask);
    } else {
      ini.WriteData("OPTION", key, std::to_string(GetInt(s, *FindOption(key))));
    }
  }

  bool keep = s.Window == 1;
  ini.WriteData("WINDOW", "WinWidth", keep ? FloatText(state.MainWindowWidth) : "");
  for (int i = 1; i <= 7; ++i) {
    ini.WriteData("WINDOW", WindowKey("Top", i), keep ? FloatText(s.Windows.Top[i]) : "");
    ini.WriteData("WINDOW", WindowKey("Left", i), keep ? FloatText(s.Windows.Left[i]) : "");
  }

  if (checkListSaved) {
    for (int i = 0; i < 30; ++i) ini.WriteData("CHECK", "Name" + std::to_string(i), "");
  }

  for (std::size_t i = 0; i < 2 && i < state.BoxColors.size(); ++i) {
    ini.WriteData("OPTION", "Box" + std::to_string(i), std::to_string(state.BoxColors[i]));
  }
  for (int i = 0; i < 6; ++i) {
    ini.WriteData("RANGE", "Range" + std::to_string(i), std::to_string(s.OddsRanges[i]));
  }
  return ini.Save();
}

std::vector<std::string> DescribeSettings(const AppState& state) {
  std::vector<std::string> out;
  const Settings& s = state.settings;
  for (const char* key : kFolderKeys) out.push_back(std::string("FOLDER.") + key + "=" + FolderValue(state, key));
  for (const char* key : OptionWriteOrder()) {
    if (std::string_view(key) == "Mask") {
      out.push_back("OPTION.Mask=" + s.Mask);
    } else {
      out.push_back(std::string("OPTION.") + key + "=" + std::to_string(GetInt(s, *FindOption(key))));
    }
  }
  out.push_back("WINDOW.WinWidth=" + FloatText(state.MainWindowWidth));
  for (int i = 1; i <= 7; ++i) {
    out.push_back("WINDOW." + WindowKey("Top", i) + "=" + FloatText(s.Windows.Top[i]));
    out.push_back("WINDOW." + WindowKey("Left", i) + "=" + FloatText(s.Windows.Left[i]));
  }
  for (std::size_t i = 0; i < 2 && i < state.BoxColors.size(); ++i) {
    out.push_back("OPTION.Box" + std::to_string(i) + "=" + std::to_string(state.BoxColors[i]));
  }
  for (int i = 0; i < 6; ++i) out.push_back("RANGE.Range" + std::to_string(i) + "=" + std::to_string(s.OddsRanges[i]));
  return out;
}

}  // namespace tz
