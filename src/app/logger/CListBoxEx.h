#pragma once

#include <QListWidget>

namespace bramble {

// A list box with AddLine: appends a row either plainly (keep-all) or as a
// scrolling log that never holds more rows than it can show and selects
// the newest row.
class CListBoxEx final : public QListWidget {
    Q_OBJECT
public:
    explicit CListBoxEx(QWidget* parent = nullptr);

    // Returns the index of the new row.
    int AddLine(const QString& text, bool keepAll);

    // Rows of the current font that fit in the visible height.
    int RowsThatFit() const;
};

}  // namespace bramble
