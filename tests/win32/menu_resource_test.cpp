// Reads the menu, the dialog templates and the pictures out of the built
// vexal.exe and compares them with what the program's users see: every text,
// identifier, check mark, style bit and position.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <ostream>
#include <string>
#include <vector>

#include "resource.h"

#ifndef VEXAL_EXE_PATH
#error "VEXAL_EXE_PATH must name the built vexal.exe"
#endif

namespace vexal {
namespace {

constexpr WORD kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);

// The tables below are Windows-1252, as the program writes its texts.
std::string To1252(const std::wstring& wide) {
  std::string text(wide.size() * 2, '\0');
  text.resize(static_cast<std::size_t>(
      WideCharToMultiByte(1252, 0, wide.data(), static_cast<int>(wide.size()), text.data(),
                          static_cast<int>(text.size()), nullptr, nullptr)));
  return text;
}

// The build passes a Unix path when it cross-builds for Wine; Wine's kernel32
// translates it into a DOS path. On Windows the path is already a DOS path.
HMODULE LoadProgramAsData() {
  using ToDosName = WCHAR*(CDECL*)(const char*);
  const auto toDos = reinterpret_cast<ToDosName>(reinterpret_cast<void*>(
      GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_dos_file_name")));
  if (toDos != nullptr && VEXAL_EXE_PATH[0] == '/') {
    if (WCHAR* dosPath = toDos(VEXAL_EXE_PATH)) {
      HMODULE module = LoadLibraryExW(dosPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
      HeapFree(GetProcessHeap(), 0, dosPath);
      return module;
    }
  }
  return LoadLibraryExA(VEXAL_EXE_PATH, nullptr, LOAD_LIBRARY_AS_DATAFILE);
}

class ProgramResources : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { module_ = LoadProgramAsData(); }
  static void TearDownTestSuite() { FreeLibrary(module_); }
  void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot load " << VEXAL_EXE_PATH; }

  // The bytes of a resource, empty when it is missing.
  static std::vector<unsigned char> Bytes(LPCSTR type, LPCSTR name, WORD language = kGerman) {
    HRSRC info = FindResourceExA(module_, type, name, language);
    const auto* data =
        info ? static_cast<const unsigned char*>(LockResource(LoadResource(module_, info)))
             : nullptr;
    if (data == nullptr) return {};
    return {data, data + SizeofResource(module_, info)};
  }

  static HMODULE module_;
};

HMODULE ProgramResources::module_ = nullptr;

// ---------------------------------------------------------------- menu

// Each popup's items separated by '|': "-" is a separator, a leading '*' the
// check mark the program starts with. Then the ids of the items in order.
struct Popup {
  const char* title;
  const char* items;
  std::vector<UINT> ids;
};

constexpr char kChannelItems[] =
    "20V|10V|5V|2V|*1V|-|500mV|200mV|100mV|50mV|20mV|10mV|5mV|-"
    "|*1:1 Tastkopf|10:1 Tastkopf|100:1 Tastkopf|-|Verst\xE4rkung 5fach";

const Popup kMenu[] = {
    {"Datei",
     "Als Textdatei exportieren...|Als Grafik exportieren...|Drucken...|-|Beenden",
     {6001, 6061, 6050, 6052}},
    {"Kanal 1",
     kChannelItems,
     {6002, 6023, 6024, 6032, 6026, 6027, 6028, 6029, 6030, 6031, 6033, 6053, 6034, 6035, 6036,
      6037}},
    {"Kanal 2",
     kChannelItems,
     {6003, 6038, 6039, 6025, 6040, 6041, 6042, 6043, 6044, 6045, 6046, 6054, 6047, 6048, 6049,
      6051}},
    {"Zeitbasis",
     "50s|20s|10s|5s|2s|1s|-|500ms|200ms|*100ms|50ms|20ms|10ms|5ms|2ms|1ms|-"
     "|500\xB5s|200\xB5s|100\xB5s|50\xB5s|20\xB5s|10\xB5s|5\xB5s",
     {6004, 6005, 6006, 6007, 6008, 6009, 6010, 6011, 6012, 6013, 6014,
      6015, 6055, 6056, 6057, 6017, 6016, 6018, 6019, 6020, 6021, 6022}},
    {"Interface", "Direkt auslesen|EEPROM auslesen|-|Einstellungen ...", {6058, 6059, 6060}},
    {"Info",
     "Info \xFC"
     "ber...",
     {6062}},
};

// One item in the table's notation; read through the wide API, so the texts
// are the stored UTF-16 whatever code page the test runs with.
std::string ItemAt(HMENU menu, int position, UINT* id, HMENU* submenu) {
  wchar_t text[128] = {};
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
  info.dwTypeData = text;
  info.cch = 127;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return "<missing>";
  *id = info.wID;
  *submenu = info.hSubMenu;
  if (info.fType == MFT_SEPARATOR) return "-";
  // A plain string item: no radio bullet, nothing greyed.
  const bool plain = info.fType == MFT_STRING && (info.fState & ~MFS_CHECKED) == 0;
  std::string item = info.fState == MFS_CHECKED ? "*" : "";
  item += To1252(text);
  if (!plain) item += "<odd type>";
  return item;
}

TEST_F(ProgramResources, MenuIsAnExtendedGermanTemplateWithEveryItem) {
  const std::vector<unsigned char> bytes = Bytes(RT_MENU, "VEXAL");
  ASSERT_GE(bytes.size(), 4u) << "no German menu VEXAL";
  EXPECT_EQ(bytes[0] | bytes[1] << 8, 1) << "not a MENUEX template";

  HMENU bar = LoadMenuA(module_, "Vexal");  // looked up as the window class names it
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(std::size(kMenu)));
  for (int p = 0; p < GetMenuItemCount(bar); ++p) {
    UINT id = 0;
    HMENU popup = nullptr, none = nullptr;
    EXPECT_EQ(ItemAt(bar, p, &id, &popup), kMenu[p].title);
    ASSERT_NE(popup, nullptr) << kMenu[p].title;
    std::string items;
    std::vector<UINT> ids;
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
      const std::string item = ItemAt(popup, i, &id, &none);
      items += (i ? "|" : "") + item + (none ? "<submenu>" : "");
      if (item != "-") ids.push_back(id);
    }
    EXPECT_EQ(items, kMenu[p].items);
    EXPECT_EQ(ids, kMenu[p].ids) << kMenu[p].title;
  }
  DestroyMenu(bar);
}

// ---------------------------------------------------------------- dialogs

// One row of a dialog template: the dialog itself (id 0, its menu and class
// joined as the class) or a control. An ordinal reads "#n".
struct Row {
  DWORD id;
  std::wstring windowClass, text;
  DWORD style;
  short x, y, cx, cy;
  DWORD exStyle, helpId;
  bool operator==(const Row&) const = default;
};

void PrintTo(const Row& r, std::ostream* out) {
  *out << r.id << " \"" << To1252(r.windowClass) << "\" \"" << To1252(r.text) << "\" style "
       << std::hex << r.style << std::dec << " at " << r.x << ',' << r.y << ' ' << r.cx << 'x'
       << r.cy << std::hex << " ex " << r.exStyle << " help " << r.helpId;
}

// Reads a DLGTEMPLATEEX with its DLGITEMTEMPLATEEX entries; no rows when the
// bytes end early or are another format.
class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}

  std::vector<Row> Rows(std::wstring* font) {
    if (Get<WORD>() != 1 || Get<WORD>() != 0xFFFF) return {};  // dlgVer, signature
    Row dialog = Styles();
    const WORD count = Get<WORD>();
    Box(dialog);
    dialog.windowClass = SzOrOrd();  // the menu
    dialog.windowClass += SzOrOrd();
    dialog.text = SzOrOrd();
    if (dialog.style & DS_SETFONT) {
      for (int metric : {int{Get<WORD>()}, int{Get<WORD>()}, int{Get<BYTE>()}, int{Get<BYTE>()}}) {
        *font += std::to_wstring(metric) + L" ";  // points, weight, italic, charset
      }
      *font += SzOrOrd();
    }
    std::vector<Row> rows = {dialog};
    for (WORD i = 0; i < count && ok_; ++i) {
      pos_ = (pos_ + 3) & ~std::size_t{3};
      Row c = Styles();
      Box(c);
      c.id = Get<DWORD>(), c.windowClass = SzOrOrd(), c.text = SzOrOrd();
      pos_ += Get<WORD>();  // creation data
      // rc.exe stores the predefined classes as atoms, windres by name.
      if (c.windowClass == L"#128" || lstrcmpiW(c.windowClass.c_str(), L"button") == 0) {
        c.windowClass = L"Button";
      } else if (c.windowClass == L"#130" || lstrcmpiW(c.windowClass.c_str(), L"static") == 0) {
        c.windowClass = L"Static";
      }
      rows.push_back(c);
    }
    return ok_ ? rows : std::vector<Row>{};
  }

 private:
  Row Styles() {
    Row r{};
    r.helpId = Get<DWORD>(), r.exStyle = Get<DWORD>(), r.style = Get<DWORD>();
    return r;
  }
  void Box(Row& r) {
    r.x = Get<short>(), r.y = Get<short>(), r.cx = Get<short>(), r.cy = Get<short>();
  }
  template <class T>
  T Get() {
    T value{};
    ok_ = ok_ && pos_ + sizeof value <= bytes_.size();
    if (ok_) std::memcpy(&value, bytes_.data() + pos_, sizeof value);
    pos_ += sizeof value;
    return value;
  }
  // A string, or 0xFFFF and an ordinal, or nothing (0).
  std::wstring SzOrOrd() {
    std::wstring s;
    for (WORD c = Get<WORD>(); c != 0 && ok_; c = Get<WORD>()) {
      if (c == 0xFFFF && s.empty()) return L"#" + std::to_wstring(Get<WORD>());
      s += static_cast<wchar_t>(c);
    }
    return s;
  }

  const std::vector<unsigned char>& bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

void ExpectTemplate(const std::vector<unsigned char>& bytes, const std::vector<Row>& expected) {
  std::wstring font;
  const std::vector<Row> rows = TemplateReader(bytes).Rows(&font);
  EXPECT_EQ(To1252(font), "8 0 0 1 MS Sans Serif");  // points, weight, italic, DEFAULT_CHARSET
  ASSERT_EQ(rows.size(), expected.size()) << "template cut short or not DLGTEMPLATEEX";
  for (std::size_t i = 0; i < expected.size(); ++i) EXPECT_EQ(rows[i], expected[i]) << "row " << i;
}

constexpr DWORD kDialog = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                          DS_SETFONT | DS_3DLOOK | DS_CONTEXTHELP;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

TEST_F(ProgramResources, PortDialogHasItsElevenControlsInTemplateOrder) {
  // Opened with the program's name, as the window class is named.
  EXPECT_NE(FindResourceA(module_, "Vexal", RT_DIALOG), nullptr);
  // Plain radio buttons (the dialog marks them itself), one tab stop among them,
  // no WS_GROUP anywhere; COM8 is 8 units high.
  const DWORD radio = kChild | BS_RADIOBUTTON;
  const DWORD push = kChild | WS_TABSTOP | BS_PUSHBUTTON;
  ExpectTemplate(Bytes(RT_DIALOG, "VEXAL"),
                 {
                     {0, L"", L"Interface-Einstellungen", kDialog, 200, 100, 158, 142, 0, 0},
                     {4002, L"Button", L"COM1", radio | WS_TABSTOP, 24, 28, 56, 10, 0, 0},
                     {4003, L"Button", L"COM2", radio, 24, 44, 56, 10, 0, 0},
                     {4004, L"Button", L"COM3", radio, 24, 60, 56, 10, 0, 0},
                     {4005, L"Button", L"COM4", radio, 24, 76, 56, 10, 0, 0},
                     {4006, L"Button", L"COM5", radio, 88, 28, 56, 10, 0, 0},
                     {4007, L"Button", L"COM6", radio, 88, 44, 56, 10, 0, 0},
                     {4008, L"Button", L"COM7", radio, 88, 60, 56, 10, 0, 0},
                     {4009, L"Button", L"COM8", radio, 88, 76, 56, 8, 0, 0},
                     {IDOK, L"Button", L"OK", push, 16, 112, 57, 16, 0, 0},
                     {IDCANCEL, L"Button", L"Abbrechen", push, 84, 112, 57, 16, 0, 0},
                     {4001, L"Button", L"COM-Port", kChild | BS_GROUPBOX, 11, 8, 136, 92, 0, 0},
                 });
}

TEST_F(ProgramResources, AboutDialogShowsDescriptionVersionAndPicture) {
  const DWORD text = kChild | WS_GROUP | SS_CENTER;
  ExpectTemplate(
      Bytes(RT_DIALOG, "VEXALINFO"),
      {
          {0, L"", L"Info", kDialog, 200, 100, 312, 144, 0, 0},
          {IDOK, L"Button", L"OK", kChild | WS_TABSTOP | BS_PUSHBUTTON, 118, 112, 76, 15, 0, 0},
          {4001, L"Static", L"Programm zum Auslesen des TK740-Interface", text, 152, 32, 132, 20, 0,
           0},
          {4010, L"Static", L"Version 1.0", text, 164, 68, 100, 12, 0, 0},
          {4011, L"Static", L"#8001", kChild | SS_BITMAP | SS_CENTERIMAGE | SS_SUNKEN, 16, 24, 112,
           68, 0, 0},
      });
}

// ---------------------------------------------------------------- pictures

TEST_F(ProgramResources, IconPictureManifestAndVersionAreEmbedded) {
  const std::vector<unsigned char> icon = Bytes(RT_GROUP_ICON, "VEXAL");
  ASSERT_GE(icon.size(), 6u + 14u);
  EXPECT_EQ(icon[4] | icon[5] << 8, 1) << "one image";
  EXPECT_EQ(icon[6], 32);                         // width
  EXPECT_EQ(icon[7], 32);                         // height
  EXPECT_EQ(icon[6 + 6] | icon[6 + 7] << 8, 24);  // bits per pixel

  const std::vector<unsigned char> bitmap = Bytes(RT_BITMAP, MAKEINTRESOURCEA(IDB_INFO_PICTURE));
  BITMAPINFOHEADER header;
  ASSERT_GE(bitmap.size(), sizeof header);
  std::memcpy(&header, bitmap.data(), sizeof header);
  EXPECT_EQ(header.biWidth, 158);
  EXPECT_EQ(header.biHeight, 100);
  EXPECT_EQ(header.biBitCount, 24);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));

  const std::vector<unsigned char> manifest = Bytes(RT_MANIFEST, MAKEINTRESOURCEA(1), LANG_NEUTRAL);
  const std::string xml(manifest.begin(), manifest.end());
  EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(xml.find("<dpiAware"), std::string::npos);

  const std::vector<unsigned char> version = Bytes(RT_VERSION, MAKEINTRESOURCEA(1));
  const std::wstring block(reinterpret_cast<const wchar_t*>(version.data()), version.size() / 2);
  EXPECT_NE(block.find(std::wstring(L"Vexal-Interface", 16)), std::wstring::npos);
  EXPECT_NE(block.find(std::wstring(L"1.0.0.0", 8)), std::wstring::npos);
}

}  // namespace
}  // namespace vexal
