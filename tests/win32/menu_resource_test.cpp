// Reads the menu, the dialog templates and the pictures out of the built
// vexal.exe and compares them with what the program's users see: every text,
// identifier, check mark, style bit and position.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "resource.h"

#ifndef VEXAL_EXE_PATH
#error "VEXAL_EXE_PATH must name the built vexal.exe"
#endif

namespace vexal {
namespace {

constexpr WORD kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);  // 1031

// Texts in the tables below are Windows-1252, as the program writes them.
std::wstring FromWindows1252(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  const int length = MultiByteToWideChar(1252, 0, text.data(), static_cast<int>(text.size()),
                                         wide.data(), static_cast<int>(wide.size()));
  wide.resize(static_cast<std::size_t>(length));
  return wide;
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
  static void TearDownTestSuite() {
    if (module_ != nullptr) FreeLibrary(module_);
    module_ = nullptr;
  }
  void SetUp() override { ASSERT_NE(module_, nullptr) << "cannot load " << VEXAL_EXE_PATH; }

  // The bytes of a resource in the given language, empty when it is missing.
  static std::vector<unsigned char> Bytes(LPCSTR type, LPCSTR name, WORD language) {
    HRSRC info = FindResourceExA(module_, type, name, language);
    if (info == nullptr) return {};
    HGLOBAL handle = LoadResource(module_, info);
    const auto* data = static_cast<const unsigned char*>(LockResource(handle));
    if (data == nullptr) return {};
    return {data, data + SizeofResource(module_, info)};
  }

  static HMODULE module_;
};

HMODULE ProgramResources::module_ = nullptr;

// ---------------------------------------------------------------- menu

struct Item {
  const char* text;  // nullptr: a separator
  int id;
  bool checked;
};
constexpr Item kSeparator = {nullptr, 0, false};

struct Popup {
  const char* title;
  std::vector<Item> items;
};

const std::vector<Popup> kMenu = {
    {"Datei",
     {{"Als Textdatei exportieren...", 6001, false},
      {"Als Grafik exportieren...", 6061, false},
      {"Drucken...", 6050, false},
      kSeparator,
      {"Beenden", 6052, false}}},
    {"Kanal 1",
     {{"20V", 6002, false},
      {"10V", 6023, false},
      {"5V", 6024, false},
      {"2V", 6032, false},
      {"1V", 6026, true},
      kSeparator,
      {"500mV", 6027, false},
      {"200mV", 6028, false},
      {"100mV", 6029, false},
      {"50mV", 6030, false},
      {"20mV", 6031, false},
      {"10mV", 6033, false},
      {"5mV", 6053, false},
      kSeparator,
      {"1:1 Tastkopf", 6034, true},
      {"10:1 Tastkopf", 6035, false},
      {"100:1 Tastkopf", 6036, false},
      kSeparator,
      {"Verst\xE4rkung 5fach", 6037, false}}},
    {"Kanal 2",
     {{"20V", 6003, false},
      {"10V", 6038, false},
      {"5V", 6039, false},
      {"2V", 6025, false},
      {"1V", 6040, true},
      kSeparator,
      {"500mV", 6041, false},
      {"200mV", 6042, false},
      {"100mV", 6043, false},
      {"50mV", 6044, false},
      {"20mV", 6045, false},
      {"10mV", 6046, false},
      {"5mV", 6054, false},
      kSeparator,
      {"1:1 Tastkopf", 6047, true},
      {"10:1 Tastkopf", 6048, false},
      {"100:1 Tastkopf", 6049, false},
      kSeparator,
      {"Verst\xE4rkung 5fach", 6051, false}}},
    {"Zeitbasis",
     {{"50s", 6004, false},
      {"20s", 6005, false},
      {"10s", 6006, false},
      {"5s", 6007, false},
      {"2s", 6008, false},
      {"1s", 6009, false},
      kSeparator,
      {"500ms", 6010, false},
      {"200ms", 6011, false},
      {"100ms", 6012, true},
      {"50ms", 6013, false},
      {"20ms", 6014, false},
      {"10ms", 6015, false},
      {"5ms", 6055, false},
      {"2ms", 6056, false},
      {"1ms", 6057, false},
      kSeparator,
      {"500\xB5s", 6017, false},
      {"200\xB5s", 6016, false},
      {"100\xB5s", 6018, false},
      {"50\xB5s", 6019, false},
      {"20\xB5s", 6020, false},
      {"10\xB5s", 6021, false},
      {"5\xB5s", 6022, false}}},
    {"Interface",
     {{"Direkt auslesen", 6058, false},
      {"EEPROM auslesen", 6059, false},
      kSeparator,
      {"Einstellungen ...", 6060, false}}},
    {"Info",
     {{"Info \xFC"
       "ber...",
       6062, false}}},
};

struct MenuEntry {
  std::wstring text;
  UINT type = 0;
  UINT state = 0;
  UINT id = 0;
  HMENU submenu = nullptr;
};

// Read through the wide API: the texts are compared as the stored UTF-16,
// whatever code page the test process runs with.
MenuEntry EntryAt(HMENU menu, int position) {
  wchar_t text[128] = {};
  MENUITEMINFOW info = {};
  info.cbSize = sizeof info;
  info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_STRING | MIIM_SUBMENU;
  info.dwTypeData = text;
  info.cch = 127;
  MenuEntry entry;
  if (!GetMenuItemInfoW(menu, static_cast<UINT>(position), TRUE, &info)) return entry;
  entry.text = (info.fType & MFT_SEPARATOR) != 0 ? L"" : text;
  entry.type = info.fType;
  entry.state = info.fState;
  entry.id = info.wID;
  entry.submenu = info.hSubMenu;
  return entry;
}

TEST_F(ProgramResources, MenuIsAnExtendedGermanTemplate) {
  const std::vector<unsigned char> menu = Bytes(RT_MENU, "VEXAL", kGerman);
  ASSERT_GE(menu.size(), 4u) << "no German menu VEXAL";
  EXPECT_EQ(menu[0] | menu[1] << 8, 1) << "not a MENUEX template";
}

TEST_F(ProgramResources, MenuHoldsEveryItemInOrderWithTheStartCheckMarks) {
  HMENU bar = LoadMenuA(module_, "Vexal");  // looked up as the window class names it
  ASSERT_NE(bar, nullptr);
  ASSERT_EQ(GetMenuItemCount(bar), static_cast<int>(kMenu.size()));
  for (std::size_t p = 0; p < kMenu.size(); ++p) {
    const MenuEntry popup = EntryAt(bar, static_cast<int>(p));
    EXPECT_EQ(popup.text, FromWindows1252(kMenu[p].title));
    ASSERT_NE(popup.submenu, nullptr) << kMenu[p].title;
    const std::vector<Item>& items = kMenu[p].items;
    ASSERT_EQ(GetMenuItemCount(popup.submenu), static_cast<int>(items.size())) << kMenu[p].title;
    for (std::size_t i = 0; i < items.size(); ++i) {
      SCOPED_TRACE(std::string(kMenu[p].title) + " item " + std::to_string(i));
      const MenuEntry entry = EntryAt(popup.submenu, static_cast<int>(i));
      EXPECT_EQ(entry.submenu, nullptr);
      if (items[i].text == nullptr) {
        EXPECT_EQ(entry.type, static_cast<UINT>(MFT_SEPARATOR));
        continue;
      }
      // A plain string item: no radio bullet, nothing greyed, no mnemonic.
      EXPECT_EQ(entry.type, static_cast<UINT>(MFT_STRING));
      EXPECT_EQ(entry.text, FromWindows1252(items[i].text));
      EXPECT_EQ(entry.id, static_cast<UINT>(items[i].id));
      EXPECT_EQ(entry.state, items[i].checked ? static_cast<UINT>(MFS_CHECKED) : 0u);
    }
  }
  DestroyMenu(bar);
}

// ---------------------------------------------------------------- dialogs

struct Control {
  DWORD id;
  WORD classAtom;  // 0x80 button, 0x82 static
  std::wstring text;
  WORD textResource;  // a resource id given as the text, or 0
  DWORD style;
  short x, y, cx, cy;
  DWORD exStyle;
  DWORD helpId;
};

struct Dialog {
  DWORD style = 0, exStyle = 0, helpId = 0;
  short x = 0, y = 0, cx = 0, cy = 0;
  bool menuOrClassGiven = true;
  std::wstring title, font;
  WORD points = 0, weight = 0;
  BYTE italic = 0, charset = 0;
  std::vector<Control> controls;
  bool complete = false;
};

// Reads a DLGTEMPLATEEX with its DLGITEMTEMPLATEEX entries.
class TemplateReader {
 public:
  explicit TemplateReader(const std::vector<unsigned char>& bytes) : bytes_(bytes) {}

  Dialog Read() {
    Dialog d;
    if (Word() != 1 || Word() != 0xFFFF) return d;  // dlgVer, signature
    d.helpId = Dword();
    d.exStyle = Dword();
    d.style = Dword();
    const int count = Word();
    d.x = Short(), d.y = Short(), d.cx = Short(), d.cy = Short();
    WORD ordinal = 0;
    const bool menu = !SzOrOrd(ordinal).empty() || ordinal != 0;
    const bool cls = !SzOrOrd(ordinal).empty() || ordinal != 0;
    d.menuOrClassGiven = menu || cls;
    d.title = String();
    if (d.style & DS_SETFONT) {
      d.points = Word();
      d.weight = Word();
      d.italic = Byte();
      d.charset = Byte();
      d.font = String();
    }
    for (int i = 0; i < count && ok_; ++i) {
      Align();
      Control c{};
      c.helpId = Dword();
      c.exStyle = Dword();
      c.style = Dword();
      c.x = Short(), c.y = Short(), c.cx = Short(), c.cy = Short();
      c.id = Dword();
      c.classAtom = PredefinedClass(SzOrOrd(c.classAtom), c.classAtom);
      c.text = SzOrOrd(c.textResource);
      pos_ += Word();  // creation data
      d.controls.push_back(c);
    }
    d.complete = ok_;
    return d;
  }

 private:
  bool Need(std::size_t n) {
    ok_ = ok_ && pos_ + n <= bytes_.size();
    return ok_;
  }
  BYTE Byte() { return Need(1) ? bytes_[pos_++] : 0; }
  WORD Word() {
    if (!Need(2)) return 0;
    const WORD w = static_cast<WORD>(bytes_[pos_] | bytes_[pos_ + 1] << 8);
    pos_ += 2;
    return w;
  }
  short Short() { return static_cast<short>(Word()); }
  DWORD Dword() {
    const DWORD low = Word();
    return low | static_cast<DWORD>(Word()) << 16;
  }
  void Align() { pos_ = (pos_ + 3) & ~std::size_t{3}; }
  std::wstring String() {
    std::wstring s;
    for (WORD c = Word(); c != 0 && ok_; c = Word()) s += static_cast<wchar_t>(c);
    return s;
  }
  // A string, or an ordinal (0xFFFF then the number), or nothing (0).
  std::wstring SzOrOrd(WORD& ordinal) {
    ordinal = 0;
    if (!Need(2)) return {};
    if (bytes_[pos_] == 0xFF && bytes_[pos_ + 1] == 0xFF) {
      pos_ += 2;
      ordinal = Word();
      return {};
    }
    return String();
  }

  // rc.exe stores the predefined classes as atoms, windres by name; the system
  // creates the same control from either.
  static WORD PredefinedClass(const std::wstring& name, WORD atom) {
    if (name.empty()) return atom;
    if (lstrcmpiW(name.c_str(), L"button") == 0) return 0x80;
    if (lstrcmpiW(name.c_str(), L"static") == 0) return 0x82;
    return 0xFFFF;  // some other class
  }

  const std::vector<unsigned char>& bytes_;
  std::size_t pos_ = 0;
  bool ok_ = true;
};

constexpr DWORD kDialogStyle = WS_POPUP | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME |
                               DS_SETFONT | DS_3DLOOK | DS_CONTEXTHELP;
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
constexpr WORD kButton = 0x80;
constexpr WORD kStatic = 0x82;

void ExpectFrame(const Dialog& d, short cx, short cy, const std::wstring& title) {
  ASSERT_TRUE(d.complete) << "template cut short or not DLGTEMPLATEEX";
  EXPECT_EQ(d.style, kDialogStyle);  // and no other bit
  EXPECT_EQ(d.exStyle, 0u);
  EXPECT_EQ(d.helpId, 0u);
  EXPECT_EQ(d.x, 200);
  EXPECT_EQ(d.y, 100);
  EXPECT_EQ(d.cx, cx);
  EXPECT_EQ(d.cy, cy);
  EXPECT_FALSE(d.menuOrClassGiven);
  EXPECT_EQ(d.title, title);
  EXPECT_EQ(d.font, L"MS Sans Serif");
  EXPECT_EQ(d.points, 8);
  EXPECT_EQ(d.weight, 0);
  EXPECT_EQ(d.italic, 0);
  EXPECT_EQ(d.charset, 1);  // DEFAULT_CHARSET
}

void ExpectControls(const Dialog& d, const std::vector<Control>& expected) {
  ASSERT_EQ(d.controls.size(), expected.size());
  for (std::size_t i = 0; i < expected.size(); ++i) {
    SCOPED_TRACE("control " + std::to_string(i + 1));
    const Control& got = d.controls[i];
    const Control& want = expected[i];
    EXPECT_EQ(got.id, want.id);
    EXPECT_EQ(got.classAtom, want.classAtom);
    EXPECT_EQ(got.text, want.text);
    EXPECT_EQ(got.textResource, want.textResource);
    EXPECT_EQ(got.style, want.style) << std::hex << (got.style ^ want.style) << " differ";
    EXPECT_EQ(got.x, want.x);
    EXPECT_EQ(got.y, want.y);
    EXPECT_EQ(got.cx, want.cx);
    EXPECT_EQ(got.cy, want.cy);
    EXPECT_EQ(got.exStyle, 0u);
    EXPECT_EQ(got.helpId, 0u);
  }
}

TEST_F(ProgramResources, PortDialogHasItsElevenControlsInTemplateOrder) {
  // Opened with the program's name, as the window class is named.
  EXPECT_NE(FindResourceA(module_, "Vexal", RT_DIALOG), nullptr);
  const Dialog d = TemplateReader(Bytes(RT_DIALOG, "VEXAL", kGerman)).Read();
  ExpectFrame(d, 158, 142, L"Interface-Einstellungen");

  // Plain radio buttons (the dialog marks them itself), one tab stop among them,
  // no WS_GROUP anywhere; COM8 is 8 units high.
  const DWORD radio = kChild | BS_RADIOBUTTON;
  const DWORD push = kChild | WS_TABSTOP | BS_PUSHBUTTON;
  ExpectControls(d, {
                        {4002, kButton, L"COM1", 0, radio | WS_TABSTOP, 24, 28, 56, 10, 0, 0},
                        {4003, kButton, L"COM2", 0, radio, 24, 44, 56, 10, 0, 0},
                        {4004, kButton, L"COM3", 0, radio, 24, 60, 56, 10, 0, 0},
                        {4005, kButton, L"COM4", 0, radio, 24, 76, 56, 10, 0, 0},
                        {4006, kButton, L"COM5", 0, radio, 88, 28, 56, 10, 0, 0},
                        {4007, kButton, L"COM6", 0, radio, 88, 44, 56, 10, 0, 0},
                        {4008, kButton, L"COM7", 0, radio, 88, 60, 56, 10, 0, 0},
                        {4009, kButton, L"COM8", 0, radio, 88, 76, 56, 8, 0, 0},
                        {IDOK, kButton, L"OK", 0, push, 16, 112, 57, 16, 0, 0},
                        {IDCANCEL, kButton, L"Abbrechen", 0, push, 84, 112, 57, 16, 0, 0},
                        {4001, kButton, L"COM-Port", 0, kChild | BS_GROUPBOX, 11, 8, 136, 92, 0, 0},
                    });
}

TEST_F(ProgramResources, AboutDialogShowsDescriptionVersionAndPicture) {
  HRSRC info = FindResourceA(module_, "VEXALINFO", RT_DIALOG);
  ASSERT_NE(info, nullptr);
  const auto* data = static_cast<const unsigned char*>(LockResource(LoadResource(module_, info)));
  const Dialog d = TemplateReader({data, data + SizeofResource(module_, info)}).Read();
  ExpectFrame(d, 312, 144, L"Info");

  const DWORD text = kChild | WS_GROUP | SS_CENTER;
  ExpectControls(
      d, {
             {IDOK, kButton, L"OK", 0, kChild | WS_TABSTOP | BS_PUSHBUTTON, 118, 112, 76, 15, 0, 0},
             {4001, kStatic, L"Programm zum Auslesen des TK740-Interface", 0, text, 152, 32, 132,
              20, 0, 0},
             {4010, kStatic, L"Version 1.0", 0, text, 164, 68, 100, 12, 0, 0},
             {4011, kStatic, L"", IDB_INFO_PICTURE, kChild | SS_BITMAP | SS_CENTERIMAGE | SS_SUNKEN,
              16, 24, 112, 68, 0, 0},
         });
}

// ---------------------------------------------------------------- pictures

TEST_F(ProgramResources, IconAndAboutPictureHaveTheirFormats) {
  HRSRC group = FindResourceA(module_, "Vexal", RT_GROUP_ICON);
  ASSERT_NE(group, nullptr);
  const auto* dir = static_cast<const unsigned char*>(LockResource(LoadResource(module_, group)));
  ASSERT_GE(SizeofResource(module_, group), 6u + 14u);
  EXPECT_EQ(dir[4] | dir[5] << 8, 1) << "one image";
  EXPECT_EQ(dir[6], 32);                        // width
  EXPECT_EQ(dir[7], 32);                        // height
  EXPECT_EQ(dir[6 + 6] | dir[6 + 7] << 8, 24);  // bits per pixel

  HRSRC bitmap = FindResourceA(module_, MAKEINTRESOURCEA(IDB_INFO_PICTURE), RT_BITMAP);
  ASSERT_NE(bitmap, nullptr);
  BITMAPINFOHEADER header;
  ASSERT_GE(SizeofResource(module_, bitmap), sizeof header);
  std::memcpy(&header, LockResource(LoadResource(module_, bitmap)), sizeof header);
  EXPECT_EQ(header.biWidth, 158);
  EXPECT_EQ(header.biHeight, 100);
  EXPECT_EQ(header.biBitCount, 24);
  EXPECT_EQ(header.biCompression, static_cast<DWORD>(BI_RGB));
}

TEST_F(ProgramResources, ManifestAndVersionAreEmbedded) {
  HRSRC manifest = FindResourceA(module_, MAKEINTRESOURCEA(1), RT_MANIFEST);
  ASSERT_NE(manifest, nullptr);
  const auto* text = static_cast<const char*>(LockResource(LoadResource(module_, manifest)));
  const std::string xml(text, SizeofResource(module_, manifest));
  EXPECT_NE(xml.find("Microsoft.Windows.Common-Controls"), std::string::npos);
  EXPECT_NE(xml.find("<dpiAware"), std::string::npos);

  HRSRC version = FindResourceA(module_, MAKEINTRESOURCEA(1), RT_VERSION);
  ASSERT_NE(version, nullptr);
  const auto* bytes = static_cast<const char*>(LockResource(LoadResource(module_, version)));
  const std::wstring block(reinterpret_cast<const wchar_t*>(bytes),
                           SizeofResource(module_, version) / sizeof(wchar_t));
  EXPECT_NE(block.find(std::wstring(L"Vexal-Interface", 16)), std::wstring::npos);
  EXPECT_NE(block.find(std::wstring(L"1.0.0.0", 8)), std::wstring::npos);
}

}  // namespace
}  // namespace vexal
