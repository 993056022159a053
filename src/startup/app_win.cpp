#include "startup/app_win.h"

namespace zorv {

AppHandles& App() {
    static AppHandles handles;
    return handles;
}

}  // namespace zorv
