#include "output/replace_on_success.h"

#include "output/path_folder.h"

namespace vexal {

namespace {

// A virus scanner, the search indexer or a sync client opens a file just
// written for a moment; renaming or deleting it, or the file it replaces,
// then fails with one of these two errors, which are retried for about 250 ms.
template <typename Step>
bool RetriedWhileHeld(Step step) {
  constexpr int kAttempts = 6;
  constexpr DWORD kPauseMs = 50;
  for (int attempt = 1;; ++attempt) {
    if (step()) return true;
    const DWORD error = GetLastError();
    if (attempt == kAttempts || (error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION))
      return false;
    Sleep(kPauseMs);
  }
}

}  // namespace

// Not GetTempFileNameW, which takes only folders within MAX_PATH, whatever the
// manifest says: a name of its own, "vx" and a number in hex, made with
// CREATE_NEW, so that no file another program made is taken over. A name that
// is taken (a file left by a program that ended early) gives way to the next.
ReplaceOnSuccess::ReplaceOnSuccess(const wchar_t* target)
    : target_(target), temp_(PathFolder(target)) {
  if (temp_.back() != L'\\' && temp_.back() != L'/') temp_ += L'\\';
  const std::size_t folder = temp_.size();
  wchar_t name[] = L"vx00000000.tmp";
  constexpr DWORD kNames = 100;
  const DWORD first = GetTickCount();
  for (DWORD number = first; number - first < kNames; ++number) {
    for (int digit = 0; digit < 8; ++digit)
      name[2 + digit] = L"0123456789abcdef"[(number >> (28 - 4 * digit)) & 15];
    temp_.resize(folder);
    temp_ += name;
    const HANDLE file = CreateFileW(temp_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
      CloseHandle(file);
      return;
    }
    if (GetLastError() != ERROR_FILE_EXISTS) break;
  }
  temp_.clear();  // no temporary file: Created() is false
}

ReplaceOnSuccess::~ReplaceOnSuccess() {
  if (Created() && !committed_)
    RetriedWhileHeld([this] { return DeleteFileW(temp_.c_str()) != 0; });
}

bool ReplaceOnSuccess::Commit() {
  if (!Created()) return false;
  // A read-only file must not be replaced. Windows refuses the move by itself;
  // other hosts (Wine run by root) would let it through.
  const DWORD attributes = GetFileAttributesW(target_);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  committed_ = RetriedWhileHeld([this] {
    return MoveFileExW(temp_.c_str(), target_,
                       MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  });
  return committed_;
}

}  // namespace vexal
