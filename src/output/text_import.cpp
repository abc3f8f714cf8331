#include "output/text_import.h"

#include <algorithm>
#include <charconv>
#include <string>

namespace vexal {

namespace {

constexpr std::string_view kHeadingStart = "\nVEXAL-Interface V1.0 - Ausgabe vom ";
constexpr std::string_view kRule = "====================================================\n\n";
constexpr std::string_view kColumnGap = "\t\t\t";
constexpr int kMaxSample = 255;

// Takes fixed pieces off the front of the text; each call fails rather than
// look past the end.
class Cursor {
 public:
  explicit Cursor(std::string_view text) : rest_(text) {}

  bool AtEnd() const { return rest_.empty(); }

  bool Skip(std::string_view text) {
    if (!rest_.starts_with(text)) return false;
    rest_.remove_prefix(text.size());
    return true;
  }

  // Exactly `width` decimal digits, as "%02d" and "%03d" write them: no sign,
  // no blank.
  bool Digits(std::size_t width, int& value) {
    const char* begin = rest_.data();
    unsigned digits{};
    const auto [end, error] = std::from_chars(begin, begin + std::min(width, rest_.size()), digits);
    if (error != std::errc{} || end != begin + width) return false;
    value = static_cast<int>(digits);
    rest_.remove_prefix(width);
    return true;
  }

  // "%4d" of a positive year: four characters, blank-padded, or five digits
  // from 10000 on. No zero fill, so that writing the year again gives the same
  // bytes.
  bool Year(int& year) {
    const std::size_t width = rest_.find(',') == 5 ? 5 : 4;
    const std::size_t blanks = rest_.substr(0, width).find_first_not_of(' ');
    // Blanks pad a four-character year only.
    const bool padded =
        blanks != std::string_view::npos && rest_[blanks] != '0' && (width == 4 || blanks == 0);
    if (padded) rest_.remove_prefix(blanks);
    return padded && Digits(width - blanks, year);
  }

  bool Sample(std::uint8_t& sample) {
    int value{};
    if (!Digits(3, value) || value > kMaxSample) return false;
    sample = static_cast<std::uint8_t>(value);
    return true;
  }

 private:
  std::string_view rest_;
};

bool ReadHeading(Cursor& in, TimeStamp& t) {
  return in.Skip(kHeadingStart) && in.Digits(2, t.day) && in.Skip(".") && in.Digits(2, t.month) &&
         in.Skip(".") && in.Year(t.year) && in.Skip(", ") && in.Digits(2, t.hour) && in.Skip(":") &&
         in.Digits(2, t.minute) && in.Skip("\n") && in.Skip(kRule);
}

bool ReadColumns(Cursor& in, std::array<bool, kChannelCount>& hasColumn) {
  if (in.Skip("Kanal 1\t\tKanal2\n\n")) {
    hasColumn = {true, true};
  } else if (in.Skip("Kanal 1\n\n")) {
    hasColumn = {true, false};
  } else if (in.Skip("Kanal 2\n\n")) {
    hasColumn = {false, true};
  } else {
    return false;
  }
  return true;
}

}  // namespace

std::optional<SavedExport> ReadTextExport(std::string_view file) {
  if (file.empty() || file.size() > kMaxTextExportBytes) return std::nullopt;
  // Drop the CR of each CR LF, so that one strict reader serves both line ends.
  std::string text;
  text.reserve(file.size());
  for (std::size_t i = 0; i < file.size(); ++i) {
    if (file[i] != '\r') {
      text += file[i];
    } else if (i + 1 == file.size() || file[i + 1] != '\n') {
      return std::nullopt;
    }
  }

  SavedExport saved;
  Cursor in(text);
  if (!ReadHeading(in, saved.stamp) || !ReadColumns(in, saved.hasColumn)) return std::nullopt;
  for (int i = 0; i < kSamplesPerChannel; ++i) {
    bool first = true;
    for (int c = 0; c < kChannelCount; ++c) {
      if (!saved.hasColumn[c]) continue;
      if ((!first && !in.Skip(kColumnGap)) || !in.Sample(saved.samples[c][i])) return std::nullopt;
      first = false;
    }
    if (!in.Skip("\n")) return std::nullopt;
  }
  if (!in.Skip("\n\n") || !in.AtEnd()) return std::nullopt;
  return saved;
}

void ApplySavedExport(const SavedExport& saved, WaveformSnapshot& store) {
  for (int c = 0; c < kChannelCount; ++c) {
    if (saved.hasColumn[c]) store.samples[c] = saved.samples[c];
    store.hasData[c] = saved.hasColumn[c] ? 1 : 0;
  }
}

}  // namespace vexal
