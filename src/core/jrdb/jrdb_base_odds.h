// The JRDB base odds of the race on screen, read from the base-odds file of the loaded day
// (OZ + yymmdd + .TXT in the JRDB folder) with the OZ reader of jrdb/jrdb_readers.h.
#pragma once

namespace tz {

struct Session;

// Fills the JRDB base odds of the loaded race (JrdbWinBase, JrdbPlaceBase, JrdbLoaded).
void LoadJrdbBaseOdds(Session& s);

}  // namespace tz
