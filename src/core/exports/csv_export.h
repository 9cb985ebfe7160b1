// Writes the race on screen to a CSV file in the export folder: header, one line per horse in
// horse-number order, the shares and the pair-odds matrices.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/user_port.h"

namespace tz {

struct Session;

// The file name without folder, e.g. "0105中山11R前日.csv".
std::string RaceCsvFileName(const Session& s);
// The lines of the file (UTF-8, without line ends).
std::vector<std::string> RaceCsvLines(const Session& s);
// The export as the tool-bar button runs it (folder checks, overwrite question, messages).
// Returns the path written, empty when nothing was written.
std::filesystem::path ExportRaceCsv(Session& s, UserPort& port);

}  // namespace tz
