// How the hook DLL puts its stand-ins between the driven program and the
// system: in the program's import table, or at the entry of a system function.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

namespace vexal_drive {

struct StandIn {
  template <typename Function>
  StandIn(const char* called, Function* own)
      : name(called), function(reinterpret_cast<const void*>(own)) {}
  const char* name;
  const void* function;
};

// Points the program's import table entries of these calls at their stand-ins.
// Returns the calls it imports from gdi32 or user32 that make GDI objects and
// have none (" Name" each): they would go uncounted.
std::string PatchImports(const StandIn* standIns, std::size_t count);

template <std::size_t N>
std::string PatchImports(const StandIn (&standIns)[N]) {
  return PatchImports(standIns, N);
}

// The entry of a function jumps to a stand-in, so every caller gets there,
// however and whenever it found the function. The stand-in calls through: the
// entry's own bytes are put back for the call and the jump written again
// after, so a call from another thread meanwhile is not seen.
class EntryPatch {
 public:
  template <typename Function>
  bool Patch(FARPROC entry, Function* standIn) {
    return Patch(entry, reinterpret_cast<const void*>(standIn));
  }
  bool Patch(FARPROC entry, const void* standIn);

  template <typename Function, typename... Args>
  auto CallThrough(Args... args) {
    Write(saved_);
    const auto result = reinterpret_cast<Function>(reinterpret_cast<void*>(entry_))(args...);
    Write(jump_);
    return result;
  }

 private:
#if defined(_WIN64)
  static constexpr std::size_t kJumpSize = 12;  // mov rax, address; jmp rax
#else
  static constexpr std::size_t kJumpSize = 7;  // mov eax, address; jmp eax
#endif
  bool Write(const BYTE* bytes);

  BYTE* entry_ = nullptr;
  BYTE saved_[kJumpSize] = {};
  BYTE jump_[kJumpSize] = {};
};

}  // namespace vexal_drive
