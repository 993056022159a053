// The settings screens' dialog templates, written into the resource script from the screens'
// tables, so that a template's or control's place is written once.
#pragma once

#include <string>
#include <vector>

#include "graphics/screen_spec.h"

namespace assetgen {

// Every settings screen, in the order their templates are written.
const std::vector<const zorv::ScreenSpec*>& DialogScreens();

// The resource script of those templates: for each, its DIALOG or DIALOGEX line, STYLE, FONT
// and one line per control.
std::string DialogResourceScript();

}  // namespace assetgen
