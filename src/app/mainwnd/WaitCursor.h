#pragma once

#include <QApplication>
#include <QCursor>

namespace bramble {

// The busy cursor for work done on the window's thread that can take a
// moment (matching a large survey's stations to a loading file), put back
// however the scope is left.
class WaitCursor {
public:
    WaitCursor() { QApplication::setOverrideCursor(QCursor(Qt::WaitCursor)); }
    ~WaitCursor() { QApplication::restoreOverrideCursor(); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace bramble
