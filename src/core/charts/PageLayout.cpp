#include "charts/PageLayout.h"

#include <algorithm>

namespace bramble {

PageLayout PageLayout::Make(int dpiX, int dpiY, int pageWidth, int pageHeight, int lineHeight)
{
    PageLayout layout;
    layout.topMargin = dpiY / 2;
    layout.leftMargin = dpiX / 2;
    layout.pageWidth = pageWidth;
    layout.pageHeight = pageHeight;
    layout.lineHeight = std::max(1, lineHeight);
    layout.ruleWidth = dpiX / 100;
    return layout;
}

int PageLayout::LinesPerPage() const
{
    const int room = pageHeight - 2 * topMargin;
    return room < 0 ? 1 : room / lineHeight + 1;
}

std::string PageNumberText(int page) { return std::to_string(page); }

PageCursor::Placement PageCursor::Next()
{
    bool newPage = false;
    if (!m_pageOpen || m_y > m_layout.pageHeight - m_layout.topMargin) {
        newPage = true;
        ++m_page;
        m_y = m_layout.topMargin;
        m_pageOpen = true;
    }
    const Placement placement{newPage, m_page, m_y};
    m_y += m_layout.lineHeight;
    return placement;
}

}  // namespace bramble
