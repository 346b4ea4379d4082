#pragma once

#include <string>

namespace bramble {

// The page arithmetic of the line printer (CPrinter), in the printer's
// device units (pixels), without any printer: margins of half an inch, a
// header above the first line of every page (title at the left, page number
// at the right, a red rule below), and a page break before a line that
// would start below page height - top margin. The app's CPrinter measures
// the device and the font, then draws where this says.
struct PageLayout {
    int topMargin = 0;   // vertical pixels per inch / 2
    int leftMargin = 0;  // horizontal pixels per inch / 2; also the rule's right margin
    int pageWidth = 0;   // the printable width
    int pageHeight = 0;  // the printable height
    int lineHeight = 1;  // the font's height plus its internal leading
    int ruleWidth = 0;   // the rule pen: horizontal pixels per inch / 100 (0 draws one pixel)

    // Measures for a device; a line height below 1 is taken as 1 so that
    // lines always move down the page.
    static PageLayout Make(int dpiX, int dpiY, int pageWidth, int pageHeight, int lineHeight);

    // Lines a page holds: floor((page height - 2 x top margin) / line height)
    // + 1, the last one reaching up to one line into the bottom margin; at
    // least 1, since a new page always takes the line that opened it.
    int LinesPerPage() const;

    int TitleY() const { return topMargin - (3 * lineHeight) / 2; }  // top of the title and page number
    int RuleY() const { return topMargin - lineHeight / 2; }
    int RuleStartX() const { return leftMargin; }
    int RuleEndX() const { return pageWidth - leftMargin; }
    // The page number ends at the right margin.
    int PageNumberX(int textWidth) const { return pageWidth - leftMargin - textWidth; }
};

// The line height of the printer font from its text metrics.
inline int PrintLineHeight(int fontHeight, int internalLeading) { return fontHeight + internalLeading; }

// The page number as printed ("%d").
std::string PageNumberText(int page);

// Where the lines of one print job go: call Next() once per printed line.
class PageCursor {
public:
    struct Placement {
        bool newPage;  // end the open page (if any), start one and draw its header first
        int page;      // 1-based number of the page the line is on
        int y;         // top of the line
    };

    explicit PageCursor(const PageLayout& layout) : m_layout(layout) { }

    Placement Next();
    bool PageOpen() const { return m_pageOpen; }
    int PageNumber() const { return m_page; }  // 0 before the first line

private:
    PageLayout m_layout;
    int m_y = 0;
    int m_page = 0;
    bool m_pageOpen = false;
};

}  // namespace bramble
