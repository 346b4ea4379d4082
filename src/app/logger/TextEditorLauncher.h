#pragma once

#include <QString>

namespace bramble {

// Opens `path` in a text editor of the desktop, without waiting for it.
// False when there is none to open it with: no desktop opener with a
// program for text files, and none of the usual graphical editors.
bool OpenInTextEditor(const QString& path);

}  // namespace bramble
