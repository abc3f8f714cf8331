// What vexal_drive.exe and its hook DLL inside the driven program share: the
// request message and the memory that carries the request and the answer.
#pragma once

#include <windows.h>

namespace vexal_drive {

inline constexpr char kRequestMessage[] = "VexalDriveRequest";
inline constexpr char kMappingName[] = "Local\\VexalDriveExchange";
inline constexpr unsigned kMaxIds = 64;

// As wParam of the request message.
enum Request : unsigned {
  kMenuStates = 1,
  kDropFile = 2,
  kGdiObjects = 3,
  kCurrentFolder = 4,
  kCodePage = 5,
  kDpiChanged = 6,  // ids: the new DPI, then the suggested rectangle's left, top, right, bottom
  kMinTrackSize = 7
};

struct Exchange {
  unsigned idCount;
  unsigned ids[kMaxIds];  // kMenuStates: the items asked for
  wchar_t path[32768];    // kDropFile: the file dropped, of any length
  volatile long done;     // set by the hook once `text` is complete
  char text[8192];        // the answer, "key value" lines, UTF-8
};

}  // namespace vexal_drive
