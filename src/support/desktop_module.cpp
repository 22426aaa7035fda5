// The entry point of the loadable desktop module: the program finds it by
// name with dlsym and gets the SDL desktop through it.
#include "support/desktop_module.h"

#include "support/sdl_desktop.h"

extern "C" void pathwick_make_desktop(pathwick::ForwardedKeys& keys,
                                      std::unique_ptr<pathwick::Desktop>& desktop) {
    desktop = pathwick::makeSystemDesktop(keys);
}
