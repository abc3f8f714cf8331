#include "output/replace_on_success.h"

#include <cwchar>

namespace vexal {

namespace {

// The folder part of a full path, without the trailing separator; "." when the
// name has none.
void FolderOf(const wchar_t* path, wchar_t (&folder)[MAX_PATH]) {
  const wchar_t* slash = std::wcsrchr(path, L'\\');
  const wchar_t* other = std::wcsrchr(path, L'/');
  if (other != nullptr && (slash == nullptr || other > slash)) slash = other;
  if (slash == nullptr) {
    std::wcscpy(folder, L".");
    return;
  }
  std::size_t length = static_cast<std::size_t>(slash - path);
  if (length == 0 || (length == 2 && path[1] == L':')) ++length;  // keep the root's separator
  if (length >= MAX_PATH) length = MAX_PATH - 1;
  std::wmemcpy(folder, path, length);
  folder[length] = L'\0';
}

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

ReplaceOnSuccess::ReplaceOnSuccess(const wchar_t* target) : target_(target) {
  wchar_t folder[MAX_PATH];
  FolderOf(target, folder);
  if (GetTempFileNameW(folder, L"vx", 0, temp_) == 0) temp_[0] = L'\0';
}

ReplaceOnSuccess::~ReplaceOnSuccess() {
  if (Created() && !committed_) RetriedWhileHeld([this] { return DeleteFileW(temp_) != 0; });
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
    return MoveFileExW(temp_, target_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  });
  return committed_;
}

}  // namespace vexal
