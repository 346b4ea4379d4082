#pragma once

#include <QIcon>

namespace bramble {

// The program icon: a bramble berry on a leaf, drawn in code so that the
// program needs no resource files. Used by the main window, the About box
// and the logger dialog.
QIcon AppIcon();

}  // namespace bramble
