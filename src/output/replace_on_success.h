// A file that is written whole or not at all: the content goes into a
// temporary file in the target's folder, which replaces the target only once it
// is complete. Until then an existing target stays as it was. Paths are UTF-16.
#pragma once

#include <windows.h>

#include <string>

namespace vexal {

class ReplaceOnSuccess {
 public:
  // Creates an empty temporary file next to `target` (same folder, so the
  // final move is a rename on the same volume). Paths may be of any length.
  explicit ReplaceOnSuccess(const wchar_t* target);
  // Removes the temporary file unless it has replaced the target.
  ~ReplaceOnSuccess();
  ReplaceOnSuccess(const ReplaceOnSuccess&) = delete;
  ReplaceOnSuccess& operator=(const ReplaceOnSuccess&) = delete;

  // False when no temporary file could be made (missing folder, no rights).
  bool Created() const { return !temp_.empty(); }
  const wchar_t* TempPath() const { return temp_.c_str(); }

  // Moves the complete temporary file over the target, retrying for a while
  // when another program holds either of them. False when the target cannot
  // be replaced (read-only, locked); the temporary file is then removed.
  bool Commit();

 private:
  const wchar_t* target_;
  std::wstring temp_;
  bool committed_ = false;
};

}  // namespace vexal
