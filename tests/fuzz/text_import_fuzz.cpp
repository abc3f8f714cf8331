// libFuzzer harness for the text export reader: any bytes must be read without
// looking past their end, and a file either loads whole, as exactly what the
// export writes (up to the CR of each CR LF), or not at all.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "output/text_export.h"
#include "output/text_import.h"

namespace {

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // A heap copy of exactly the input's size: ASan reports a read one byte past it.
  const std::vector<char> copy(data, data + size);
  const std::string_view file(copy.data(), copy.size());
  const std::optional<vexal::SavedExport> saved = vexal::ReadTextExport(file);
  if (!saved) return 0;

  // The store the file loads into writes the same bytes again.
  vexal::WaveformSnapshot store;
  vexal::ApplySavedExport(*saved, store);
  std::string written, withoutCr;
  for (const std::string& piece : vexal::TextExportPieces(store, saved->stamp)) written += piece;
  for (char c : file) {
    if (c != '\r') withoutCr += c;
  }
  Check(written == withoutCr);
  return 0;
}
