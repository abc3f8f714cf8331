#include "link/present_serial_ports.h"

#include <windows.h>
#include <setupapi.h>

#include <iterator>
#include <string_view>

namespace vexal {

namespace {

template <typename Function>
Function Lookup(HMODULE module, const char* name) {
  return reinterpret_cast<Function>(
      reinterpret_cast<void*>(module != nullptr ? GetProcAddress(module, name) : nullptr));
}

// advapi32.dll and setupapi.dll are loaded when the dialog first opens, and kept,
// so that a start of the program loads only what its window needs. Names are
// read in UTF-16: a device's name may be in any script.
struct Registry {
  HMODULE dll = LoadLibraryW(L"advapi32.dll");
  decltype(&RegOpenKeyExW) open = Lookup<decltype(open)>(dll, "RegOpenKeyExW");
  decltype(&RegEnumValueW) enumValue = Lookup<decltype(enumValue)>(dll, "RegEnumValueW");
  decltype(&RegQueryValueExW) query = Lookup<decltype(query)>(dll, "RegQueryValueExW");
  decltype(&RegCloseKey) close = Lookup<decltype(close)>(dll, "RegCloseKey");
  bool Loaded() const { return open && enumValue && query && close; }
};

struct SetupApi {
  HMODULE dll = LoadLibraryW(L"setupapi.dll");
  decltype(&SetupDiGetClassDevsW) devices = Lookup<decltype(devices)>(dll, "SetupDiGetClassDevsW");
  decltype(&SetupDiEnumDeviceInfo) next = Lookup<decltype(next)>(dll, "SetupDiEnumDeviceInfo");
  decltype(&SetupDiGetDeviceRegistryPropertyW) property =
      Lookup<decltype(property)>(dll, "SetupDiGetDeviceRegistryPropertyW");
  decltype(&SetupDiOpenDevRegKey) openKey = Lookup<decltype(openKey)>(dll, "SetupDiOpenDevRegKey");
  decltype(&SetupDiDestroyDeviceInfoList) destroy =
      Lookup<decltype(destroy)>(dll, "SetupDiDestroyDeviceInfoList");
  bool Loaded() const { return devices && next && property && openKey && destroy; }
};

const Registry& TheRegistry() {
  static const Registry registry;
  return registry;
}

// Closes a registry key, or destroys a device list, on every way out.
struct OpenKey {
  HKEY key;
  ~OpenKey() { TheRegistry().close(key); }
};
struct DeviceList {
  const SetupApi& setup;
  HDEVINFO set;
  ~DeviceList() { setup.destroy(set); }
};

// A registry string need not end in a terminator: the text up to the first one
// within the bytes that the call reported (an odd last byte is no character).
std::wstring_view RegistryText(const wchar_t* data, DWORD bytes) {
  const std::wstring_view text(data, bytes / sizeof(wchar_t));
  return text.substr(0, text.find(L'\0'));
}

// The data of the values under SERIALCOMM: every serial port driver enters its
// ports there ("COM14"), and every user may read it. False when there are none.
bool AddSerialCommPorts(PortList& ports) {
  const Registry& registry = TheRegistry();
  HKEY key = nullptr;
  if (registry.open(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
      ERROR_SUCCESS)
    return false;
  const OpenKey opened{key};
  bool any = false;
  static wchar_t name[16384];  // the longest value name there can be, and its terminator
  for (DWORD index = 0;; ++index) {
    wchar_t data[32];
    // The name's length counts characters, the data's size bytes.
    DWORD nameLength = std::size(name), type = 0, size = sizeof data;
    const LONG result = registry.enumValue(key, index, name, &nameLength, nullptr, &type,
                                           reinterpret_cast<BYTE*>(data), &size);
    // ERROR_MORE_DATA: data too long to name a port; the next value may.
    if (result != ERROR_SUCCESS && result != ERROR_MORE_DATA) break;
    if (result == ERROR_SUCCESS && type == REG_SZ) ports.AddPresent(RegistryText(data, size));
    any = true;
  }
  return any;
}

// GUID_DEVCLASS_PORTS, the class "Ports (COM & LPT)" of the Device Manager.
constexpr GUID kPortsClass = {
    0x4d36e978, 0xe325, 0x11ce, {0xbf, 0xc1, 0x08, 0x00, 0x2b, 0xe1, 0x03, 0x18}};

// The devices of the Ports class with their port names and friendly names.
// Wine may have none.
void AddPortsClassDevices(PortList& ports) {
  static const SetupApi setup;
  if (!setup.Loaded()) return;
  const HDEVINFO set = setup.devices(&kPortsClass, nullptr, nullptr, DIGCF_PRESENT);
  if (set == INVALID_HANDLE_VALUE) return;
  const DeviceList list{setup, set};
  SP_DEVINFO_DATA device{};
  device.cbSize = sizeof device;
  for (DWORD index = 0; setup.next(set, index, &device); ++index) {
    wchar_t friendlyName[256], portName[32];
    DWORD friendlySize = 0, portSize = sizeof portName, type = 0;
    if (!setup.property(set, &device, SPDRP_FRIENDLYNAME, nullptr,
                        reinterpret_cast<BYTE*>(friendlyName), sizeof friendlyName, &friendlySize))
      friendlySize = 0;
    const HKEY key = setup.openKey(set, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
    if (key == reinterpret_cast<HKEY>(INVALID_HANDLE_VALUE)) continue;
    const OpenKey opened{key};
    if (TheRegistry().query(key, L"PortName", nullptr, &type, reinterpret_cast<BYTE*>(portName),
                            &portSize) == ERROR_SUCCESS &&
        type == REG_SZ)
      ports.AddDevice(RegistryText(portName, portSize), RegistryText(friendlyName, friendlySize));
  }
}

}  // namespace

void ReadPresentSerialPorts(PortList& ports) {
  if (!TheRegistry().Loaded()) return;
  // Without a port, SetupAPI is not even loaded.
  if (AddSerialCommPorts(ports)) AddPortsClassDevices(ports);
}

}  // namespace vexal
