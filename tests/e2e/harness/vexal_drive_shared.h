// What vexal_drive.exe and the hook DLL it places in the driven program share:
// the registered messages and the shared mappings for the answers.
#pragma once

namespace vexal_drive {

inline constexpr char kQueryMessage[] = "VexalDriveMenuQuery";
inline constexpr char kMappingName[] = "Local\\VexalDriveMenuReport";
// A message the driver posts behind the ones it waits for; the hook notes the
// number (wParam) of the last one that the program's message loop took out.
inline constexpr char kMarkerMessage[] = "VexalDriveMarker";
inline constexpr char kMarkerMappingName[] = "Local\\VexalDriveMarker";
inline constexpr unsigned kMaxIds = 64;

struct MenuReport {
  unsigned idCount;       // 0: dump the whole menu bar instead
  unsigned ids[kMaxIds];  // items whose state the driver asks for
  volatile long done;     // set by the hook once `text` is complete
  char text[60000];       // lines "state <id> checked|unchecked" or "item ..."
};

}  // namespace vexal_drive
