#pragma once

#include <functional>
#include <string>

class QAbstractItemView;

namespace bramble {

// Ctrl+C (the platform's Copy keys) in `view` puts `text()` on the
// clipboard: the selected rows as tab-separated text with the header line.
void InstallCopyRows(QAbstractItemView* view, std::function<std::string()> text);

}  // namespace bramble
