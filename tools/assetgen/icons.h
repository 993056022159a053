// The program's own icon and the three icons of its message dialogs, 32 × 32 with alpha.
#pragma once

#include "writers.h"

namespace assetgen {

IconImage DrawApplicationIcon();  // the program file's icon: a glowing green Z on a metal tile
IconImage DrawFloppyIcon();       // icon 287: driver dialogs
IconImage DrawExclamationIcon();  // icon 290: error dialogs
IconImage DrawCheckIcon();        // icon 310: driver installed

}  // namespace assetgen
