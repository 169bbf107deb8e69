// Creating a destination folder together with every missing folder above it.
#pragma once

namespace peltrix::planning {

// Creates folder (at most 260 bytes) and its missing parents, the highest
// missing one first. Succeeds when folder exists at the end, also when it
// existed already as a folder (several destinations may share it). A
// failure other than a missing parent gives E105 naming the path that
// failed; when nothing above folder can be made either (a drive that does
// not exist), E105 names folder with the error of the last attempt.
bool create_folder(const char* folder);

}  // namespace peltrix::planning
