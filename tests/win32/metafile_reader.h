// Reads an enhanced metafile back as the Canvas calls that drew it, so a GDI
// picture can be compared call by call with the core renderer's recording. On
// the way it checks that every created object is deleted right after it is
// deselected and that nothing but the Canvas' own records appears.
#pragma once

#include <windows.h>

#include <algorithm>
#include <map>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "recording_canvas.h"

namespace vexal::test {

inline DrawCall Call(Op op, int a = 0, int b = 0, int c = 0, int d = 0, Colour colour = 0) {
  DrawCall call;
  call.op = op, call.a = a, call.b = b, call.c = c, call.d = d, call.colour = colour;
  return call;
}

// What a metafile holds; Read takes its records in order.
class MetafileContent {
 public:
  std::vector<DrawCall> calls;
  std::wstring description;
  int created = 0, deleted = 0;
  std::vector<std::string> problems;

  void Read(const ENHMETARECORD& record) {
    const DWORD deselected = std::exchange(justDeselected_, 0);
    const auto* base = reinterpret_cast<const char*>(&record);
    switch (record.iType) {
      case EMR_HEADER: {
        const auto& h = reinterpret_cast<const ENHMETAHEADER&>(record);
        description.assign(reinterpret_cast<const wchar_t*>(base + h.offDescription),
                           h.nDescription);
        break;
      }
      case EMR_EOF:
        break;
      case EMR_CREATEPEN: {
        const auto& r = reinterpret_cast<const EMRCREATEPEN&>(record);
        if (r.lopn.lopnStyle != PS_SOLID) problems.push_back("pen not PS_SOLID");
        objects_[r.ihPen] = Call(Op::kSelectNewPen, r.lopn.lopnWidth.x, 0, 0, 0, r.lopn.lopnColor);
        ++created;
        break;
      }
      case EMR_CREATEBRUSHINDIRECT: {
        const auto& r = reinterpret_cast<const EMRCREATEBRUSHINDIRECT&>(record);
        if (r.lb.lbStyle != BS_SOLID) problems.push_back("brush not BS_SOLID");
        objects_[r.ihBrush] = Call(Op::kSelectNewSolidBrush, 0, 0, 0, 0, r.lb.lbColor);
        ++created;
        break;
      }
      case EMR_SELECTOBJECT:
        Select(reinterpret_cast<const EMRSELECTOBJECT&>(record).ihObject);
        break;
      case EMR_DELETEOBJECT: {
        const DWORD handle = reinterpret_cast<const EMRDELETEOBJECT&>(record).ihObject;
        if (handle != deselected) problems.push_back("deleted an object not just deselected");
        objects_.erase(handle);
        ++deleted;
        break;
      }
      case EMR_RECTANGLE: {  // stored inclusive: right and bottom one less
        const RECTL& box = reinterpret_cast<const EMRRECTANGLE&>(record).rclBox;
        calls.push_back(Call(Op::kDrawRectangle, box.left, box.top, box.right + 1, box.bottom + 1));
        break;
      }
      case EMR_MOVETOEX:
      case EMR_LINETO: {
        const POINTL& p = reinterpret_cast<const EMRLINETO&>(record).ptl;  // same layout
        calls.push_back(Call(record.iType == EMR_MOVETOEX ? Op::kMoveTo : Op::kLineTo, p.x, p.y));
        break;
      }
      case EMR_SETBKMODE:
        if (reinterpret_cast<const EMRSETBKMODE&>(record).iMode != TRANSPARENT) {
          problems.push_back("background mode not TRANSPARENT");
        }
        calls.push_back(Call(Op::kSetTransparentBackground));
        break;
      case EMR_SETTEXTCOLOR:
        calls.push_back(Call(Op::kSetTextColour, 0, 0, 0, 0,
                             reinterpret_cast<const EMRSETTEXTCOLOR&>(record).crColor));
        break;
      case EMR_SETTEXTALIGN:
        calls.push_back(Call(Op::kSetTextAlign));
        calls.back().align =
            static_cast<TextAlign>(reinterpret_cast<const EMRSETTEXTALIGN&>(record).iMode);
        break;
      case EMR_EXTTEXTOUTA:
      case EMR_EXTTEXTOUTW: {  // Wine records TextOutA as Unicode: back to Windows-1252
        const EMRTEXT& t = reinterpret_cast<const EMREXTTEXTOUTW&>(record).emrtext;
        DrawCall call = Call(Op::kWriteText, t.ptlReference.x, t.ptlReference.y);
        call.text.assign(base + t.offString, t.nChars);
        if (record.iType == EMR_EXTTEXTOUTW) {
          call.text.resize(t.nChars * 2);
          call.text.resize(static_cast<std::size_t>(
              WideCharToMultiByte(1252, 0, reinterpret_cast<const wchar_t*>(base + t.offString),
                                  static_cast<int>(t.nChars), call.text.data(),
                                  static_cast<int>(call.text.size()), nullptr, nullptr)));
        }
        calls.push_back(call);
        break;
      }
      default:
        problems.push_back("unexpected record " + std::to_string(record.iType));
    }
  }

 private:
  // A fresh metafile context holds the stock white brush and black pen.
  void Select(DWORD handle) {
    if ((handle & ENHMETA_STOCK_OBJECT) == 0) {
      const auto found = objects_.find(handle);
      if (found == objects_.end()) {
        problems.push_back("selected an object that does not exist");
        return;
      }
      calls.push_back(found->second);
      (found->second.op == Op::kSelectNewPen ? pen_ : brush_) = handle;
      return;
    }
    const DWORD stock = handle & ~ENHMETA_STOCK_OBJECT;
    if (stock == GRAY_BRUSH) {
      calls.push_back(Call(Op::kSelectGrayBrush));
      brush_ = handle;
    } else if (stock == WHITE_BRUSH || stock == BLACK_PEN) {
      const bool pen = stock == BLACK_PEN;
      calls.push_back(Call(pen ? Op::kReleasePen : Op::kRestoreEntryBrush));
      justDeselected_ = std::exchange(pen ? pen_ : brush_, handle);
    } else {
      problems.push_back("unexpected stock object " + std::to_string(stock));
    }
  }

  std::map<DWORD, DrawCall> objects_;
  DWORD pen_ = ENHMETA_STOCK_OBJECT | BLACK_PEN;
  DWORD brush_ = ENHMETA_STOCK_OBJECT | WHITE_BRUSH;
  DWORD justDeselected_ = 0;
};

// Reads and deletes the metafile.
inline MetafileContent ReadMetafile(HENHMETAFILE metafile) {
  MetafileContent content;
  EnumEnhMetaFile(
      nullptr, metafile,
      [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM param) -> int {
        reinterpret_cast<MetafileContent*>(param)->Read(*record);
        return 1;
      },
      &content, nullptr);
  DeleteEnhMetaFile(metafile);
  return content;
}

inline std::string Describe(const DrawCall& call) {
  std::ostringstream out;
  out << "op " << static_cast<int>(call.op) << " (" << call.a << ", " << call.b << ", " << call.c
      << ", " << call.d << ") colour " << std::hex << call.colour << std::dec << " align "
      << static_cast<unsigned>(call.align) << " text \"" << call.text << '"';
  return out.str();
}

// "" when both lists agree (the format of WriteText aside), else where they part.
inline std::string FirstDifference(const std::vector<DrawCall>& expected,
                                   const std::vector<DrawCall>& actual) {
  for (std::size_t i = 0; i < std::max(expected.size(), actual.size()); ++i) {
    const std::string want = i < expected.size() ? Describe(expected[i]) : "nothing";
    const std::string got = i < actual.size() ? Describe(actual[i]) : "nothing";
    if (want != got) return "call " + std::to_string(i) + ": expected " + want + ", got " + got;
  }
  return "";
}

}  // namespace vexal::test
