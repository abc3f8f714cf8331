// Reading back the text file of the samples that TextExportPieces writes.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

#include "output/time_stamp.h"
#include "scope/waveform_store.h"

namespace vexal {

// The largest file an export can be is 22664 bytes: heading with a five-digit year (55), rule
// (54), two-column heading (17), 2048 lines of 10 and the closing 2, and a CR before each of its
// 2056 LFs. A caller reads at most kMaxTextExportBytes + 1 bytes and never trusts a length from
// the file.
inline constexpr std::size_t kMaxTextExportBytes = 24 * 1024;

struct SavedExport {
  TimeStamp stamp;                                      // from the heading
  std::array<bool, kChannelCount> hasColumn{};          // which channels the file holds
  std::array<ChannelSamples, kChannelCount> samples{};  // a channel without a column stays all 0
};

// The content of a text export exactly as the program writes it, or std::nullopt for anything
// else: wrong heading or rule or channel heading, a missing or extra line, a value that is not
// exactly three digits or is above 255, an empty file, a file longer than kMaxTextExportBytes,
// stray bytes anywhere. The same file with CR LF line ends (after a trip through a Windows editor
// or mail) is accepted too: a CR is allowed only directly before an LF.
std::optional<SavedExport> ReadTextExport(std::string_view file);

// Sets a store as a read-out would: per channel, a column gives its samples and has-data 1; a
// channel without a column keeps its samples and gets has-data 0.
void ApplySavedExport(const SavedExport& saved, WaveformSnapshot& store);

}  // namespace vexal
