#pragma once

#include <QFont>
#include <QPainter>
#include <QString>

#include "charts/PageLayout.h"

class QPrinter;

namespace bramble {

// Prints plain lines of text, one after another, on a printer the caller
// has set up (usually through the print dialog): page breaks of its own, a
// header on every page (the title "Bramble" at the left, the page number at
// the right, a red rule below) and a fixed-pitch font, so that column-aligned
// text keeps its columns. Half-inch margins all round, measured from the
// paper's edge. A line is never wrapped or clipped; a long one runs off the
// page.
//
// Calling order: StartPrinting, PrintLine any number of times, EndPrinting.
// The printer is not owned and must outlive this object.
class CPrinter {
public:
    explicit CPrinter(QPrinter& printer);
    virtual ~CPrinter();
    CPrinter(const CPrinter&) = delete;
    CPrinter& operator=(const CPrinter&) = delete;

    // Starts the print job and measures the font and the page. False when
    // the job cannot start (a PDF file that cannot be created, a printer
    // that refuses the job); nothing is printed then.
    bool StartPrinting();
    // Prints one line, starting a new page first when it would begin below
    // the bottom margin. An empty line still takes one line height.
    void PrintLine(const QString& text);
    // Ends the page and the job. False when the printer reports a failure.
    bool EndPrinting();

    bool DocumentOpen() const { return m_bDocOpen; }
    int PageNumber() const { return m_cursor.PageNumber(); }
    const PageLayout& Layout() const { return m_layout; }
    const QFont& Font() const { return m_font; }

    // The title at the top left of every page.
    static const char* const kTitle;
    // The point size of the fixed-pitch font: the widest report line
    // (about 105 characters) fits between half-inch margins on A4 and Letter.
    static constexpr double kFontPointSize = 8.0;

protected:
    // Draws the page header above the top margin: title, page number, rule.
    virtual void PrintPageHeader();
    // Chooses the fixed-pitch font into m_font: one whose characters really
    // all have the same advance (FixedPitchFont).
    virtual void SelectPrintFont();

    QPrinter& m_printer;
    QPainter m_painter;
    QFont m_font;
    PageLayout m_layout;
    PageCursor m_cursor{PageLayout{}};
    int m_nAscent = 0;
    bool m_bDocOpen = false;
};

}  // namespace bramble
