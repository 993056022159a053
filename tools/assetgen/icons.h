// The three icons of the program's message dialogs, 32 × 32 with alpha.
#pragma once

#include "writers.h"

namespace assetgen {

IconImage DrawFloppyIcon();       // icon 287: driver dialogs
IconImage DrawExclamationIcon();  // icon 290: error dialogs
IconImage DrawCheckIcon();        // icon 310: driver installed

}  // namespace assetgen
