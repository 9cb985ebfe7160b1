#include "tools/check_list.h"

#include <algorithm>
#include <numeric>
#include <optional>
#include <system_error>

#include "text/files.h"
#include "text/numbers.h"
#include "text/sjis.h"
#include "text/strings.h"

namespace tz {

namespace {

constexpr int kBoxCount = 2;

bool ValidBox(int box) { return box >= 0 && box < kBoxCount; }

// A name the file can keep on one line.
bool StorableName(const std::string& name) {
  return !name.empty() && name.find_first_of("\r\n") == std::string::npos;
}

// Blanks around an unquoted field (the bytes are undecoded Shift_JIS; blanks and tabs are
// never trail bytes).
std::string_view TrimBytes(std::string_view s) {
  auto blank = [](char c) { return c == ' ' || c == '\t'; };
  while (!s.empty() && blank(s.front())) s.remove_prefix(1);
  while (!s.empty() && blank(s.back())) s.remove_suffix(1);
  return s;
}

// The box index: the field as a whole number, pulled into 0..boxCount-1.
int BoxIndex(std::string_view field, int boxCount) {
  double v = text::Val(field);
  if (!(v > 0)) return 0;
  double last = std::max(0, boxCount - 1);
  if (v >= last) return static_cast<int>(last);
  return static_cast<int>(std::clamp<std::int64_t>(text::RoundHalfEven(v), 0, boxCount - 1));
}

// The name field (everything after the first comma): a quoted name runs from its opening
// quote to the last quote of the line, an unquoted one is trimmed.
std::string NameField(std::string_view rest) {
  rest = TrimBytes(rest);
  if (!rest.empty() && rest.front() == '"') {
    rest.remove_prefix(1);
    auto close = rest.rfind('"');
    if (close != std::string_view::npos) rest = rest.substr(0, close);
  }
  return text::Trim(text::DecodeSjis(rest));
}

// One line of the file, or nothing when it holds no name.
std::optional<CheckEntry> ParseLine(std::string_view line, int boxCount) {
  // A trailing end-of-file mark (Ctrl+Z) of old editors is not part of the text.
  while (!line.empty() && line.back() == '\x1a') line.remove_suffix(1);
  std::string_view first = TrimBytes(line);
  if (first.empty()) return std::nullopt;

  CheckEntry e;
  // The first field ends at the first comma outside double quotes.
  std::size_t comma = std::string_view::npos;
  bool quoted = false;
  for (std::size_t i = 0; i < line.size(); ++i) {
    if (line[i] == '"') quoted = !quoted;
    else if (line[i] == ',' && !quoted) {
      comma = i;
      break;
    }
  }
  if (comma == std::string_view::npos) {
    // No box index: the line is a name on its own.
    e.ColourIndex = 0;
    e.Name = NameField(line);
  } else {
    std::string_view box = TrimBytes(line.substr(0, comma));
    if (box.size() >= 2 && box.front() == '"' && box.back() == '"') box = box.substr(1, box.size() - 2);
    e.ColourIndex = BoxIndex(box, boxCount);
    e.Name = NameField(line.substr(comma + 1));
  }
  if (e.Name.empty()) return std::nullopt;
  return e;
}

int BoxCountOf(const AppState& app) {
  return static_cast<int>(std::max<std::size_t>(1, app.BoxColors.size()));
}

bool SameEntries(const std::vector<CheckEntry>& a, const std::vector<CheckEntry>& b) {
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](const CheckEntry& x, const CheckEntry& y) {
    return x.ColourIndex == y.ColourIndex && x.Name == y.Name;
  });
}

// The entries the file holds now; nothing when there is no such file or it cannot be read
// whole (then what this program holds is written as it is).
std::optional<std::vector<CheckEntry>> ReadCheckListFile(const std::filesystem::path& p, int boxCount) {
  std::error_code ec;
  if (!std::filesystem::is_regular_file(p, ec)) return std::nullopt;
  const auto size = std::filesystem::file_size(p, ec);
  if (ec || size > kMaxCheckListFileBytes) return std::nullopt;
  const auto bytes = text::ReadFileBytes(p);
  if (!bytes) return std::nullopt;
  return ParseCheckList(*bytes, boxCount);
}

std::string Quoted(std::string_view name) {
  std::string out = "\"";
  out += name;
  out += '"';
  return out;
}

}  // namespace

std::filesystem::path CheckListPath(const AppState& app) {
  return text::ResolveName(app.StoreRoot, kCheckListFileName);
}

std::vector<CheckEntry> ParseCheckList(std::string_view bytes, int boxCount) {
  std::vector<CheckEntry> out;
  std::size_t start = 0;
  while (start < bytes.size()) {
    std::size_t end = bytes.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = bytes.size();
    if (auto e = ParseLine(bytes.substr(start, end - start), boxCount)) out.push_back(std::move(*e));
    // CR LF, a lone LF or a lone CR ends a line.
    if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() && bytes[end + 1] == '\n') ++end;
    start = end + 1;
  }
  return out;
}

std::string FormatCheckList(const std::vector<CheckEntry>& list) {
  std::vector<std::string> lines;
  for (std::size_t i = 1; i < list.size(); ++i) {
    lines.push_back(std::to_string(list[i].ColourIndex) + "," + Quoted(list[i].Name));
  }
  return text::JoinLinesSjis(lines);
}

std::string LoadCheckList(AppState& app, CheckListFileNote& note) {
  note = CheckListFileNote{};
  if (app.CheckList.empty()) app.CheckList.emplace_back();

  // Names from the settings file's older section are kept trimmed like every other name.
  for (std::size_t i = 1; i < app.CheckList.size(); ++i) {
    CheckEntry& e = app.CheckList[i];
    e.Name = text::Trim(e.Name);
    e.ColourIndex = std::clamp(e.ColourIndex, 0, kBoxCount - 1);
  }

  auto found = text::FindEntry(app.StoreRoot, kCheckListFileName);
  if (!found) return {};
  const std::filesystem::path& p = *found;
  std::error_code ec;
  std::string problem;
  if (!std::filesystem::is_regular_file(p, ec)) {
    problem = "is not a file";
  } else if (auto size = std::filesystem::file_size(p, ec); ec) {
    problem = ec.message();
  } else if (size > kMaxCheckListFileBytes) {
    problem = "the file is too large (" + std::to_string(size) + " bytes)";
  }
  std::optional<std::string> bytes;
  if (problem.empty()) {
    bytes = text::ReadFileBytes(p);
    if (!bytes) problem = "the file cannot be read";
  }
  if (!problem.empty()) {
    note.Protected = true;
    note.Problem = "ﾁｪｯｸﾘｽﾄを読み込めませんでした。このﾌｧｲﾙは終了時にも書き換えません。\n\n" +
                   p.string() + "\n\n" + problem;
    return note.Problem;
  }
  note.OnDisk = ParseCheckList(*bytes, BoxCountOf(app));
  app.CheckList.insert(app.CheckList.end(), note.OnDisk.begin(), note.OnDisk.end());
  return {};
}

std::vector<CheckEntry> MergeCheckLists(const std::vector<CheckEntry>& base,
                                        const std::vector<CheckEntry>& mine,
                                        const std::vector<CheckEntry>& theirs) {
  const auto find = [](const std::vector<CheckEntry>& list, const std::string& name) {
    return std::find_if(list.begin(), list.end(), [&](const CheckEntry& e) { return e.Name == name; });
  };
  std::vector<CheckEntry> out;
  for (const CheckEntry& e : theirs) {
    const auto inBase = find(base, e.Name);
    const auto inMine = find(mine, e.Name);
    if (inBase != base.end() && inMine == mine.end()) continue;  // removed here
    if (find(out, e.Name) != out.end()) continue;
    CheckEntry kept = e;
    if (inBase != base.end() && inMine != mine.end() && inMine->ColourIndex != inBase->ColourIndex) {
      kept.ColourIndex = inMine->ColourIndex;  // moved to the other box here
    }
    out.push_back(std::move(kept));
  }
  for (const CheckEntry& e : mine) {
    if (find(base, e.Name) == base.end() && find(out, e.Name) == out.end()) out.push_back(e);
  }
  return out;
}

std::string SaveCheckList(AppState& app, CheckListFileNote& note) {
  std::filesystem::path p = CheckListPath(app);
  if (note.Protected) {
    return "ﾁｪｯｸﾘｽﾄは起動時に読み込めなかったため、書き換えませんでした。\n\n" + p.string();
  }
  // Another program may have saved the list since it was read here: under the lock, its
  // changes and ours are put together rather than ours written over its.
  const text::FolderLock lock(app.StoreRoot);
  std::vector<CheckEntry> mine(app.CheckList.begin() + (app.CheckList.empty() ? 0 : 1), app.CheckList.end());
  std::vector<CheckEntry> list = mine;
  if (const auto now = ReadCheckListFile(p, BoxCountOf(app)); now && !SameEntries(*now, note.OnDisk)) {
    list = MergeCheckLists(note.OnDisk, mine, *now);
  }
  list.insert(list.begin(), CheckEntry{});
  std::string err = text::WriteFileAtomic(p, FormatCheckList(list));
  if (!err.empty()) return "ﾁｪｯｸﾘｽﾄを書き込めませんでした。\n\n" + p.string() + "\n\n" + err;
  app.CheckList = std::move(list);
  note.OnDisk.assign(app.CheckList.begin() + 1, app.CheckList.end());
  return {};
}

bool CheckNameLess(std::string_view a, std::string_view b) { return text::DirectoryOrderLess(a, b); }

// ---- the window -------------------------------------------------------------------------

void OpenCheckListWindow(CheckListWindowModel& m, const AppState& app) {
  m.SelectedBox = 0;
  m.FocusBox = -1;
  for (int i = 0; i < kBoxCount; ++i) {
    m.Boxes[i].Items.clear();
    m.Boxes[i].TextColour =
        static_cast<std::size_t>(i) < app.BoxColors.size() ? app.BoxColors[i] : 0;
  }
  // Each box sorted once (a long list would take seconds inserted name by name); names that
  // sort alike keep the order of the list, as AddToCheckBox keeps them.
  std::array<std::vector<std::pair<std::string, const std::string*>>, kBoxCount> keyed;
  for (std::size_t i = 1; i < app.CheckList.size(); ++i) {
    const CheckEntry& e = app.CheckList[i];
    keyed[std::clamp(e.ColourIndex, 0, kBoxCount - 1)].emplace_back(text::DirectoryOrderKey(e.Name), &e.Name);
  }
  for (int b = 0; b < kBoxCount; ++b) {
    auto& k = keyed[b];
    std::stable_sort(k.begin(), k.end(), [](const auto& x, const auto& y) { return x.first < y.first; });
    auto& items = m.Boxes[b].Items;
    items.reserve(k.size());
    for (const auto& [key, name] : k) items.push_back(CheckListItem{*name, false});
  }
  m.Label1 = kCheckDropHint;
}

std::size_t AddToCheckBox(CheckListWindowModel& m, int box, std::string name) {
  auto& items = m.Boxes[std::clamp(box, 0, kBoxCount - 1)].Items;
  auto at = std::upper_bound(items.begin(), items.end(), name, [](const std::string& n, const CheckListItem& it) {
    return CheckNameLess(n, it.Name);
  });
  at = items.insert(at, CheckListItem{std::move(name), false});
  return static_cast<std::size_t>(at - items.begin());
}

bool DropOnCheckBox(CheckListWindowModel& m, int box, std::string_view caption) {
  if (!ValidBox(box)) return false;
  std::string name = text::Trim(caption);
  // A blank cell carries no name to watch.
  if (!StorableName(name)) return false;
  for (const CheckListBox& b : m.Boxes) {
    for (const CheckListItem& it : b.Items) {
      if (text::Trim(it.Name) == name) return false;
    }
  }
  AddToCheckBox(m, box, std::move(name));
  FocusCheckBox(m, box);
  return true;
}

void FocusCheckBox(CheckListWindowModel& m, int box) {
  if (!ValidBox(box)) return;
  m.FocusBox = box;
  m.Label1 = kCheckMenuHint;
}

void BlurCheckBox(CheckListWindowModel& m, int box) {
  if (m.FocusBox != box) return;
  m.FocusBox = -1;
  m.Label1 = kCheckDropHint;
}

void ToggleCheckName(CheckListWindowModel& m, int box, std::size_t index) {
  if (!ValidBox(box) || index >= m.Boxes[box].Items.size()) return;
  auto& it = m.Boxes[box].Items[index];
  it.Selected = !it.Selected;
}

void SetCheckNameSelected(CheckListWindowModel& m, int box, std::size_t index, bool selected) {
  if (!ValidBox(box) || index >= m.Boxes[box].Items.size()) return;
  m.Boxes[box].Items[index].Selected = selected;
}

void RightPressCheckBox(CheckListWindowModel& m, int box) {
  if (ValidBox(box)) m.SelectedBox = box;
}

namespace {

// Takes the selected names out of a box, in the order shown.
std::vector<std::string> TakeSelected(CheckListBox& b) {
  std::vector<std::string> out;
  std::vector<CheckListItem> keep;
  for (CheckListItem& it : b.Items) {
    if (it.Selected) out.push_back(std::move(it.Name));
    else keep.push_back(std::move(it));
  }
  b.Items = std::move(keep);
  return out;
}

}  // namespace

void RunCheckMenu(CheckListWindowModel& m, CheckMenu item) {
  const int sel = std::clamp(m.SelectedBox, 0, kBoxCount - 1);
  switch (item) {
    case CheckMenu::Del:
      for (CheckListBox& b : m.Boxes) TakeSelected(b);
      break;
    case CheckMenu::DelAll:
      m.Boxes[sel].Items.clear();
      break;
    case CheckMenu::Move: {
      // Both selections are taken first, so the names moved into a box are not moved back.
      std::vector<std::string> from0 = TakeSelected(m.Boxes[0]);
      std::vector<std::string> from1 = TakeSelected(m.Boxes[1]);
      for (std::string& n : from0) AddToCheckBox(m, 1, std::move(n));
      for (std::string& n : from1) AddToCheckBox(m, 0, std::move(n));
      break;
    }
    case CheckMenu::MoveAll: {
      std::vector<CheckListItem> items = std::move(m.Boxes[sel].Items);
      m.Boxes[sel].Items.clear();
      for (CheckListItem& it : items) AddToCheckBox(m, 1 - sel, std::move(it.Name));
      break;
    }
  }
}

void SetCheckBoxColour(CheckListWindowModel& m, Colour colour) {
  m.Boxes[std::clamp(m.SelectedBox, 0, kBoxCount - 1)].TextColour = colour;
}

void ConfirmCheckList(AppState& app, const CheckListWindowModel& m) {
  for (std::size_t i = 0; i < app.BoxColors.size() && i < m.Boxes.size(); ++i) {
    app.BoxColors[i] = m.Boxes[i].TextColour;
  }
  app.CheckList.assign(1, CheckEntry{});
  for (int b = 0; b < kBoxCount; ++b) {
    for (const CheckListItem& it : m.Boxes[b].Items) app.CheckList.push_back(CheckEntry{b, text::Trim(it.Name)});
  }
}

// ---- editing without the window ---------------------------------------------------------

bool AddCheckName(AppState& app, std::string_view name, int box) {
  std::string n = text::Trim(name);
  if (!StorableName(n) || !ValidBox(box)) return false;
  if (app.CheckList.empty()) app.CheckList.emplace_back();
  for (std::size_t i = 1; i < app.CheckList.size(); ++i) {
    if (text::Trim(app.CheckList[i].Name) == n) return false;
  }
  app.CheckList.push_back(CheckEntry{box, std::move(n)});
  return true;
}

int RemoveCheckName(AppState& app, std::string_view name) {
  std::string n = text::Trim(name);
  if (app.CheckList.size() <= 1) return 0;
  auto first = app.CheckList.begin() + 1;
  auto it = std::remove_if(first, app.CheckList.end(),
                           [&](const CheckEntry& e) { return text::Trim(e.Name) == n; });
  int removed = static_cast<int>(app.CheckList.end() - it);
  app.CheckList.erase(it, app.CheckList.end());
  return removed;
}

}  // namespace tz
