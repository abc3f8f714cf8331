#include "call_patches.h"

#include <cstring>
#include <initializer_list>

namespace vexal_drive {
namespace {

bool Named(const char* call, std::initializer_list<const char*> names) {
  for (const char* name : names)
    if (std::strcmp(call, name) == 0) return true;
  return false;
}

// gdi32's calls that create or copy an object or read a metafile; user32's
// that load, copy or make a picture, icon or cursor, or hand out a context.
// LoadIcon and LoadCursor are not among them: what they give is shared.
bool MakesObjects(const char* dll, const char* call) {
  if (lstrcmpiA(dll, "gdi32.dll") == 0)
    return std::strstr(call, "Create") || std::strncmp(call, "Copy", 4) == 0 ||
           Named(call,
                 {"GetEnhMetaFileA", "GetEnhMetaFileW", "GetMetaFileA", "GetMetaFileW",
                  "SetEnhMetaFileBits", "SetWinMetaFileBits", "SetMetaFileBitsEx", "PathToRegion"});
  return lstrcmpiA(dll, "user32.dll") == 0 &&
         (std::strncmp(call, "LoadImage", 9) == 0 || std::strncmp(call, "LoadBitmap", 10) == 0 ||
          std::strncmp(call, "CreateIcon", 10) == 0 ||
          Named(call, {"CopyImage", "CopyIcon", "CreateCursor", "LoadCursorFromFileA",
                       "LoadCursorFromFileW", "GetDC", "GetDCEx", "GetWindowDC", "BeginPaint"}));
}

}  // namespace

std::string PatchImports(const StandIn* standIns, std::size_t count) {
  std::string uncounted;
  auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
  const auto* nt = reinterpret_cast<IMAGE_NT_HEADERS*>(
      base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
  auto* dll = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(
      base + nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT].VirtualAddress);
  for (; dll->Name != 0; ++dll) {
    auto* name = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->OriginalFirstThunk);
    auto* slot = reinterpret_cast<IMAGE_THUNK_DATA*>(base + dll->FirstThunk);
    for (; name->u1.AddressOfData != 0; ++name, ++slot) {
      if (IMAGE_SNAP_BY_ORDINAL(name->u1.Ordinal)) continue;
      const char* call =
          reinterpret_cast<IMAGE_IMPORT_BY_NAME*>(base + name->u1.AddressOfData)->Name;
      const void* standIn = nullptr;
      for (std::size_t i = 0; i < count; ++i)
        standIn = std::strcmp(standIns[i].name, call) ? standIn : standIns[i].function;
      DWORD was = 0;
      if (standIn && VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &was)) {
        slot->u1.Function = reinterpret_cast<ULONG_PTR>(standIn);
        VirtualProtect(slot, sizeof *slot, was, &was);
      } else if (MakesObjects(reinterpret_cast<char*>(base + dll->Name), call)) {
        uncounted += std::string(" ") + call;
      }
    }
  }
  return uncounted;
}

bool EntryPatch::Patch(FARPROC entry, const void* standIn) {
  if (entry == nullptr) return false;
  entry_ = reinterpret_cast<BYTE*>(entry);
  std::memcpy(saved_, entry_, kJumpSize);
  const auto address = reinterpret_cast<ULONG_PTR>(standIn);
#if defined(_WIN64)
  const BYTE head[] = {0x48, 0xB8};
#else
  const BYTE head[] = {0xB8};
#endif
  std::memcpy(jump_, head, sizeof head);
  std::memcpy(jump_ + sizeof head, &address, sizeof address);
  jump_[kJumpSize - 2] = 0xFF;  // jmp to the address in the register
  jump_[kJumpSize - 1] = 0xE0;
  return Write(jump_);
}

bool EntryPatch::Write(const BYTE* bytes) {
  DWORD was = 0;
  if (!VirtualProtect(entry_, kJumpSize, PAGE_EXECUTE_READWRITE, &was)) return false;
  std::memcpy(entry_, bytes, kJumpSize);
  VirtualProtect(entry_, kJumpSize, was, &was);
  return FlushInstructionCache(GetCurrentProcess(), entry_, kJumpSize);
}

}  // namespace vexal_drive
