#include "app/sample_days.h"

#include <optional>
#include <system_error>

#include "text/files.h"

namespace tz {

namespace fs = std::filesystem;

namespace {

// The absolute, normalised form of a path; symbolic links are followed as far as they exist.
fs::path Resolved(const fs::path& p) {
  std::error_code ec;
  fs::path r = fs::weakly_canonical(fs::absolute(p, ec), ec);
  return ec ? p.lexically_normal() : r;
}

bool IsInside(const fs::path& inner, const fs::path& outer) {
  if (outer.empty()) return false;
  fs::path rel = Resolved(inner).lexically_relative(Resolved(outer));
  return !rel.empty() && *rel.begin() != "..";
}

}  // namespace

fs::path ExecutableFolder() {
  std::error_code ec;
  fs::path exe = fs::read_symlink("/proc/self/exe", ec);
  return ec ? fs::path() : exe.parent_path();
}

fs::path FindSamplesFolder(const fs::path& executableFolder, const SampleLocations& where) {
  if (!where.installed.empty() && !executableFolder.empty()) {
    fs::path installed = (executableFolder / where.installed).lexically_normal();
    if (text::FolderExists(installed)) return installed;
  }
  if (!where.sourceSamples.empty() && !executableFolder.empty() &&
      IsInside(executableFolder, where.buildTree) && text::FolderExists(where.sourceSamples)) {
    return where.sourceSamples;
  }
  return {};
}

fs::path FirstSampleDay(const fs::path& samplesFolder) {
  if (samplesFolder.empty()) return {};
  for (const std::string& name : text::ListFolder(samplesFolder, "*", true)) {
    fs::path day = samplesFolder / name;
    std::optional<fs::path> guide = text::FindEntry(day, "UY-A.JRA");
    if (guide && text::FileExists(*guide)) return day;
  }
  return {};
}

}  // namespace tz
