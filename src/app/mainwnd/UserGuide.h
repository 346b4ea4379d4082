#pragma once

#include <QString>

class QWidget;

namespace bramble {

// The user's guide as installed (share/doc/bramble/user-guide.md under the
// program's install prefix) or, in a build, in the source tree; empty when
// neither exists.
QString FindUserGuide();

// "User's Guide" of the Help menu: shows the guide in a window of its own
// (with its pictures), or says where it was looked for when it is missing.
void ShowUserGuide(QWidget* parent);

}  // namespace bramble
