// How much the text export pays for its one WriteFile call per piece (2052
// calls for a two-column file) against writing the same bytes in one call, and
// what the whole write path of the export (temporary file, flush, rename)
// costs. Run under Wine:  text_export_bench.exe [folder] [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "app/demo_traces.h"
#include "output/replace_on_success.h"
#include "output/text_export.h"
#include "output/text_file_writer.h"

namespace {

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

HANDLE Create(const std::wstring& path) {
  return CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                     nullptr);
}

// The export's paths are UTF-16; the folder comes in the ANSI code page, as argv does.
std::wstring Wide(const std::string& text) {
  std::wstring wide(text.size(), L'\0');
  wide.resize(static_cast<std::size_t>(
      MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(),
                          static_cast<int>(wide.size()))));
  return wide;
}

struct Result {
  const char* name;
  std::size_t calls;
  std::vector<double> ms;
  double Median() const {
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    return sorted[sorted.size() / 2];
  }
  double Min() const { return *std::min_element(ms.begin(), ms.end()); }
};

}  // namespace

int main(int argc, char** argv) {
  char temp[MAX_PATH];
  GetTempPathA(MAX_PATH, temp);
  const std::string folder = argc > 1 ? argv[1] : temp;
  const int rounds = argc > 2 ? std::max(3, std::atoi(argv[2])) : 30;
  const std::wstring path = Wide(folder + "\\vexal-bench-export.txt");

  const std::vector<std::string> pieces =
      vexal::TextExportPieces(vexal::DemonstrationTraces(), vexal::TimeStamp{2024, 12, 5, 9, 7});
  std::string joined;
  for (const std::string& piece : pieces) joined += piece;

  Result perPiece{"one WriteFile per piece", pieces.size(), {}};
  Result oneCall{"one WriteFile, same bytes", 1, {}};
  Result wholeExport{"export path: temp, pieces, flush, rename", pieces.size(), {}};

  const std::vector<std::pair<Result*, std::function<bool()>>> variants = {
      {&perPiece,
       [&] {
         HANDLE file = Create(path);
         const bool ok = file != INVALID_HANDLE_VALUE && vexal::WriteTextPieces(file, pieces);
         CloseHandle(file);
         return ok;
       }},
      {&oneCall,
       [&] {
         HANDLE file = Create(path);
         DWORD written = 0;
         const bool ok =
             file != INVALID_HANDLE_VALUE &&
             WriteFile(file, joined.data(), static_cast<DWORD>(joined.size()), &written, nullptr) &&
             written == joined.size();
         CloseHandle(file);
         return ok;
       }},
      {&wholeExport,
       [&] {
         vexal::ReplaceOnSuccess target(path.c_str());
         HANDLE file = target.Created() ? Create(target.TempPath()) : INVALID_HANDLE_VALUE;
         bool ok = file != INVALID_HANDLE_VALUE && vexal::WriteTextPieces(file, pieces) &&
                   FlushFileBuffers(file);
         ok = CloseHandle(file) && ok;
         return ok && target.Commit();
       }},
  };

  // Interleaved rounds, so a slow moment of the machine hits all variants alike.
  for (int round = 0; round <= rounds; ++round) {
    for (const auto& [result, run] : variants) {
      const double start = Now();
      if (!run()) {
        std::fprintf(stderr, "%s failed in %s\n", result->name, folder.c_str());
        return 1;
      }
      if (round > 0) result->ms.push_back((Now() - start) * 1000.0);  // round 0 warms up
    }
  }
  DeleteFileW(path.c_str());

  std::printf("Text export, %zu bytes in %zu pieces, %d rounds, folder %s\n\n", joined.size(),
              pieces.size(), rounds, folder.c_str());
  std::printf("| %-42s | %6s | %11s | %8s | %14s |\n", "variant", "calls", "median ms", "min ms",
              "vs one call");
  std::printf("|%s|%s|%s|%s|%s|\n", std::string(44, '-').c_str(), std::string(8, '-').c_str(),
              std::string(13, '-').c_str(), std::string(10, '-').c_str(),
              std::string(16, '-').c_str());
  for (const Result* r : {&perPiece, &oneCall, &wholeExport}) {
    std::printf("| %-42s | %6zu | %11.3f | %8.3f | %13.1fx |\n", r->name, r->calls, r->Median(),
                r->Min(), r->Median() / oneCall.Median());
  }
  return 0;
}
