// The menus' interface sounds, synthesised.
#pragma once

#include <cstdint>
#include <vector>

namespace assetgen {

constexpr int kSampleRate = 22050;

// Hover: a soft rising blip of about 60 ms.
std::vector<int16_t> SynthHoverBlip();
// Click: a short metallic click with a falling tone, about 120 ms.
std::vector<int16_t> SynthClick();

}  // namespace assetgen
