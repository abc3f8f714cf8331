#include "app/measurements_dialog.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "display/wide_text.h"
#include "output/clipboard.h"
#include "output/picture_tables.h"
#include "resource.h"

namespace vexal {
namespace {

// The layout, in dialog units.
constexpr int kMargin = 8;
constexpr int kLeastWidth = 264;  // the template's: the scale line and the buttons
constexpr int kRowStep = 12;
constexpr int kTableGap = 6;  // more between the scale line and the rows, and between tables
constexpr int kCellHeight = 10;
constexpr int kButtonWidth = 60;
constexpr int kButtonHeight = 15;
constexpr int kButtonGap = 6;

// The widths of a table's first column and of each further one, and the gap between two.
struct Columns {
  int first;
  int others;
  int gap;
};
constexpr Columns kMeasurementColumns = {80, 80, 8};
constexpr Columns kCursorColumns = {48, 68, 4};

// What the dialog shows and "Kopieren" copies; cursors empty while they are hidden.
struct Tables {
  std::string measurements;
  std::string cursors;
};

using Row = std::vector<std::string_view>;

// The lines of a table (CR LF after each) and their cells (TAB between them).
std::vector<Row> Rows(std::string_view table) {
  std::vector<Row> rows;
  for (std::size_t end; (end = table.find("\r\n")) != std::string_view::npos;
       table.remove_prefix(end + 2)) {
    Row& row = rows.emplace_back();
    std::string_view line = table.substr(0, end);
    for (std::size_t tab; (tab = line.find('\t')) != std::string_view::npos;
         line.remove_prefix(tab + 1)) {
      row.push_back(line.substr(0, tab));
    }
    row.push_back(line);
  }
  return rows;
}

// A static control with the text, at x, y and w wide, in dialog units.
void AddCell(HWND dialog, int id, std::string_view text, int x, int y, int width, DWORD align) {
  RECT at = {x, y, x + width, y + kCellHeight};
  MapDialogRect(dialog, &at);
  HWND cell = CreateWindowExW(
      0, L"STATIC", FromWindows1252(text).c_str(), WS_CHILD | WS_VISIBLE | SS_NOPREFIX | align,
      at.left, at.top, at.right - at.left, at.bottom - at.top, dialog,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(dialog, GWLP_HINSTANCE)), nullptr);
  SendMessageW(cell, WM_SETFONT, SendMessageW(dialog, WM_GETFONT, 0, 0), FALSE);
}

// Lays a table out from `top`, its cells numbered from `id` in reading order: a first
// line of one cell across the table, then one row of cells per line, the first column
// left-aligned and the others right-aligned. Returns the y below it and its width.
POINT LayOutTable(HWND dialog, std::string_view table, int id, int top, Columns columns) {
  const std::vector<Row> rows = Rows(table);
  std::size_t count = 0;
  for (const Row& row : rows) count = std::max(count, row.size());
  const int width = columns.first + static_cast<int>(count - 1) * (columns.others + columns.gap);
  int y = top;
  for (std::size_t r = 0; r < rows.size(); ++r) {
    if (r == 0 && rows[r].size() == 1 && count > 1) {
      AddCell(dialog, id++, rows[r][0], kMargin, y, width, SS_LEFT);
      y += kRowStep + kTableGap;
      continue;
    }
    int x = kMargin;
    for (std::size_t k = 0; k < rows[r].size(); ++k) {
      const int cellWidth = k == 0 ? columns.first : columns.others;
      AddCell(dialog, id++, rows[r][k], x, y, cellWidth, k == 0 ? SS_LEFT : SS_RIGHT);
      x += cellWidth + columns.gap;
    }
    y += kRowStep;
  }
  return {width, y};
}

// The buttons go below the tables at the right, and the dialog takes the size around them.
void FitDialog(HWND dialog, int width, int bottom) {
  width = std::max(width, kLeastWidth);
  int x = kMargin + width - kButtonWidth;
  for (int id : {IDOK, IDC_MEASURE_COPY}) {
    RECT at = {x, bottom + kButtonGap, x + kButtonWidth, bottom + kButtonGap + kButtonHeight};
    MapDialogRect(dialog, &at);
    SetWindowPos(GetDlgItem(dialog, id), nullptr, at.left, at.top, at.right - at.left,
                 at.bottom - at.top, SWP_NOZORDER | SWP_NOACTIVATE);
    x -= kButtonWidth + kButtonGap;
  }
  RECT client = {0, 0, width + 2 * kMargin, bottom + kButtonGap + kButtonHeight + kMargin - 1};
  MapDialogRect(dialog, &client);
  AdjustWindowRectEx(&client, static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongPtrW(dialog, GWL_EXSTYLE)));
  SetWindowPos(dialog, nullptr, 0, 0, client.right - client.left, client.bottom - client.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

INT_PTR CALLBACK MeasurementsDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_INITDIALOG: {
      // The tables live in ShowMeasurementsDialog while the dialog is open.
      SetWindowLongPtrW(dialog, DWLP_USER, lParam);
      const auto* tables = reinterpret_cast<const Tables*>(lParam);
      POINT end = LayOutTable(dialog, tables->measurements, IDC_MEASURE_SCALE, kMargin,
                              kMeasurementColumns);
      int width = end.x;
      if (!tables->cursors.empty()) {
        end = LayOutTable(dialog, tables->cursors, IDC_CURSOR_CELL, end.y + kTableGap,
                          kCursorColumns);
        width = std::max(width, static_cast<int>(end.x));
      }
      FitDialog(dialog, width, end.y);
      return TRUE;
    }
    case WM_COMMAND:
      switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:  // Esc and the close box
          EndDialog(dialog, 0);
          return TRUE;
        case IDC_MEASURE_COPY: {
          const auto* tables =
              reinterpret_cast<const Tables*>(GetWindowLongPtrW(dialog, DWLP_USER));
          CopyTextToClipboard(dialog, tables->measurements + tables->cursors);
          return TRUE;
        }
        default:
          return FALSE;
      }
    default:
      return FALSE;
  }
}

}  // namespace

void ShowMeasurementsDialog(HINSTANCE instance, HWND owner, const Picture& picture) {
  const Tables tables = {MeasurementsOf(picture), CursorRowsOf(picture)};
  DialogBoxParamW(instance, L"VEXALMESSUNGEN", owner, MeasurementsDialogProc,
                  reinterpret_cast<LPARAM>(&tables));
}

}  // namespace vexal
