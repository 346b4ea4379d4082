#include "logger/CListBoxEx.h"

#include <QFontDatabase>

#include "charts/FixedPitchFont.h"

namespace bramble {

CListBoxEx::CListBoxEx(QWidget* parent) : QListWidget(parent)
{
    // Meter dumps are column-aligned text.
    setFont(FixedPitchFont(QFontDatabase::systemFont(QFontDatabase::FixedFont).pointSizeF()));
    setUniformItemSizes(true);
    setTextElideMode(Qt::ElideNone);  // long lines scroll sideways instead of losing their end
    setSelectionMode(QAbstractItemView::SingleSelection);
}

int CListBoxEx::RowsThatFit() const
{
    const int rowHeight = count() > 0 ? sizeHintForRow(0) : fontMetrics().height();
    return rowHeight > 0 ? viewport()->height() / rowHeight : 0;
}

int CListBoxEx::AddLine(const QString& text, bool keepAll)
{
    if (keepAll) {
        addItem(text);
        return count() - 1;
    }
    // Trim only when the list is exactly full: a list that already holds
    // more rows (after keep-all appends) keeps them.
    if (count() > 0 && count() == RowsThatFit())
        delete takeItem(0);
    addItem(text);
    const int row = count() - 1;
    setCurrentRow(row);
    scrollToItem(item(row));
    return row;
}

}  // namespace bramble
