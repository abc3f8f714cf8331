#include "display/picture_labels.h"

#include <cstdio>

#include "display/waveform_renderer.h"
#include "scope/channel_names.h"
#include "scope/frequency_text.h"
#include "scope/timebase_labels.h"

namespace vexal {
namespace {

std::string Formatted(const std::string& format, std::uint32_t value) {
  if (format.empty()) return "";
  char text[64];
  std::snprintf(text, sizeof text, format.c_str(), static_cast<int>(value));
  return text;
}

// "X: CH1 1 V / DIV": a channel as an axis of the X-Y view.
std::string AxisLabel(const char* axis, int channel, const ScaleLabel& label) {
  const VoltUnit* unit = FindVoltUnit(label.unitCode);
  if (unit == nullptr) return "";
  char text[48];
  std::snprintf(text, sizeof text, "%s: %s %u %s / DIV", axis, ShortChannelName(channel),
                static_cast<unsigned>(label.value), unit->name);
  return text;
}

}  // namespace

PictureTexts PictureTextsOf(const Picture& picture, bool paper) {
  PictureTexts texts;
  const bool spectrum = picture.view == PictureView::kSpectrum;
  if (picture.math && picture.view != PictureView::kXy) {
    const MathTrace math = ComputeMathTrace(*picture.math, picture.traces, picture.labels);
    texts.left.push_back({spectrum ? SpectrumLevelLabel("M", math.label) : MathLabel(math, !paper),
                          LabelColour::kMath});
  }
  for (int channel = 0; channel < kChannelCount; ++channel) {
    if (picture.traces.hasData[channel] == 0) continue;
    const ScaleLabel& label = picture.labels[channel];
    const auto colour = channel == 0 ? LabelColour::kChannel1 : LabelColour::kChannel2;
    if (picture.view == PictureView::kXy) {
      texts.left.push_back({AxisLabel(channel == 0 ? "X" : "Y", channel, label), colour});
    } else if (spectrum) {
      texts.left.push_back({SpectrumLevelLabel(ShortChannelName(channel), label), colour});
    } else {
      const std::string format = paper ? LabelFormat(channel, label.unitCode, "%d")
                                       : ScreenLabelFormat(channel, label.unitCode);
      texts.left.push_back({Formatted(format, label.value), colour});
    }
  }
  if (spectrum) {
    texts.right = SpectrumFrequencyLabel(picture.timebaseId, picture.spectrum.span);
  } else if (const char* timebase = TimebaseLabel(picture.timebaseId)) {
    texts.right = timebase;
  }
  if (picture.reference) texts.reference = picture.reference->label;
  return texts;
}

}  // namespace vexal
