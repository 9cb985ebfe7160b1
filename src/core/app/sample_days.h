// The sample racing days that come with the programs: installed under share/tazuna98/samples
// beside the folder of the executables, or the checkout's samples/ folder when the programs
// run from their build folder.
#pragma once

#include <filesystem>

namespace tz {

// Where the programs look for the sample days.
struct SampleLocations {
  // The installed samples folder, relative to the executables' folder (or absolute).
  std::filesystem::path installed;
  // The build folder, and the samples folder of the checkout it was built from; the latter
  // serves only executables inside the former.
  std::filesystem::path buildTree;
  std::filesystem::path sourceSamples;
};

// The folder of the running executable, empty when the system does not tell.
std::filesystem::path ExecutableFolder();

// The samples folder for an executable in `executableFolder`: the installed one when it is
// there, else the checkout's for an executable inside the build folder; empty otherwise.
std::filesystem::path FindSamplesFolder(const std::filesystem::path& executableFolder,
                                        const SampleLocations& where);

// The first day of a samples folder: its first subfolder in directory order that holds a
// betting guide "UY-A.JRA" (any letter case). Empty when there is none.
std::filesystem::path FirstSampleDay(const std::filesystem::path& samplesFolder);

}  // namespace tz
