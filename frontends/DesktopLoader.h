// The program's side of the desktop module: finds kavrel-desktop.so beside the program (the
// build tree) or in the installed library folder, loads it only when windows are wanted, and
// talks to it through its C interface as a Toolkit.
#pragma once

#include <memory>
#include <string>

#include "ui/Toolkit.h"

namespace kavrel {

// Why no desktop could be had.
enum class DesktopUnavailable {
  NoModule,   // the module or a library it needs could not be loaded
  NoDisplay,  // the module is there, but no display can be opened
};

struct DesktopLoad {
  std::unique_ptr<Toolkit> desktop;  // null when unavailable
  DesktopUnavailable why = DesktopUnavailable::NoModule;
  std::string whyNot;  // the reason, for a message
};

// Loads the module, found beside the program or in the installed library folder relative to
// it, and opens the display named by DISPLAY.
DesktopLoad LoadDesktop();

}  // namespace kavrel
