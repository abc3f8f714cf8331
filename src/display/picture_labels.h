// The texts a picture writes besides its read-outs, as its view has them: the scale
// labels at the bottom left, the one at the bottom right, and the reference's name.
#pragma once

#include <string>
#include <vector>

#include "display/picture.h"

namespace vexal {

// Whose colour a label is written in.
enum class LabelColour { kChannel1, kChannel2, kMath };

struct LabelText {
  std::string text;  // "" where a unit is missing: the colour is set, nothing written
  LabelColour colour;
};

struct PictureTexts {
  std::vector<LabelText> left;  // from the top row down to the bottom row
  std::string right;            // the timebase, or the spectrum's frequency a division
  std::string reference;        // "Ref: ...", "" without a reference
};

// The numbers of the time view's labels are three wide on the screen (one for kV), as
// wide as they are on paper.
PictureTexts PictureTextsOf(const Picture& picture, bool paper);

}  // namespace vexal
