#include "output/replace_on_success.h"

#include <cstring>

namespace vexal {

namespace {

// The folder part of a full path, without the trailing separator; "." when the
// name has none.
void FolderOf(const char* path, char (&folder)[MAX_PATH]) {
  const char* slash = std::strrchr(path, '\\');
  const char* other = std::strrchr(path, '/');
  if (other != nullptr && (slash == nullptr || other > slash)) slash = other;
  if (slash == nullptr) {
    std::strcpy(folder, ".");
    return;
  }
  std::size_t length = static_cast<std::size_t>(slash - path);
  if (length == 0 || (length == 2 && path[1] == ':')) ++length;  // keep the root's separator
  if (length >= MAX_PATH) length = MAX_PATH - 1;
  std::memcpy(folder, path, length);
  folder[length] = '\0';
}

}  // namespace

ReplaceOnSuccess::ReplaceOnSuccess(const char* target) : target_(target) {
  char folder[MAX_PATH];
  FolderOf(target, folder);
  if (GetTempFileNameA(folder, "vx", 0, temp_) == 0) temp_[0] = '\0';
}

ReplaceOnSuccess::~ReplaceOnSuccess() {
  if (Created() && !committed_) DeleteFileA(temp_);
}

bool ReplaceOnSuccess::Commit() {
  if (!Created()) return false;
  // A read-only file must not be replaced. Windows refuses the move by itself;
  // other hosts (Wine run by root) would let it through.
  const DWORD attributes = GetFileAttributesA(target_);
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
    SetLastError(ERROR_ACCESS_DENIED);
    return false;
  }
  committed_ = MoveFileExA(temp_, target_, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != 0;
  return committed_;
}

}  // namespace vexal
