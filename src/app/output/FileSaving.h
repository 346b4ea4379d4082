#pragma once

#include <string_view>

#include <QString>

class QWidget;

namespace bramble {

// The save side of the program's exports: the save-file dialog with the
// export filters, and a safe write that tells the operator where it wrote
// or why it failed.

// The save-file dialog: no default extension, `initial` as the initial
// file name (the last data folder when empty), a prompt before an
// existing file is replaced. Returns the chosen path, or an empty text
// when the operator cancels.
QString ChooseSaveFile(QWidget* parent, const QString& initial);

// Writes `bytes` to `path` through WriteFileSafely and says so in the
// status bar. On failure shows the reason in a message box titled
// `caption` and returns false; an earlier file of that name is then
// unchanged.
bool SaveFileOrSayWhy(QWidget* parent, const QString& path, std::string_view bytes, const QString& caption);

}  // namespace bramble
