#include "charts/CPrinter.h"

#include <algorithm>
#include <cmath>

#include <QFontMetrics>
#include <QPen>
#include <QPrinter>

#include "charts/FixedPitchFont.h"

namespace bramble {

const char* const CPrinter::kTitle = "Bramble";

CPrinter::CPrinter(QPrinter& printer) : m_printer(printer) { }

CPrinter::~CPrinter()
{
    if (m_bDocOpen)
        EndPrinting();
}

void CPrinter::SelectPrintFont() { m_font = FixedPitchFont(kFontPointSize); }

bool CPrinter::StartPrinting()
{
    SelectPrintFont();
    m_printer.setDocName(kTitle);
    // The margins are the printer's own half inch from the paper's edge,
    // the same on paper and in a PDF file.
    m_printer.setFullPage(true);
    if (!m_painter.begin(&m_printer))
        return false;
    m_bDocOpen = true;
    m_painter.setFont(m_font);

    const QFontMetrics metrics(m_font, &m_printer);
    m_nAscent = metrics.ascent();
    // The cell height plus the internal leading (the room above the em
    // square that the font keeps for accents).
    const int emHeight = static_cast<int>(std::lround(m_font.pointSizeF() * m_printer.logicalDpiY() / 72.0));
    const int internalLeading = std::max(0, metrics.height() - emHeight);
    m_layout = PageLayout::Make(m_printer.logicalDpiX(), m_printer.logicalDpiY(), m_printer.width(), m_printer.height(),
                                PrintLineHeight(metrics.height(), internalLeading));
    m_cursor = PageCursor(m_layout);
    return true;
}

void CPrinter::PrintLine(const QString& text)
{
    if (!m_bDocOpen)
        return;
    const PageCursor::Placement place = m_cursor.Next();
    if (place.newPage) {
        // The first page is opened by the start of the job.
        if (place.page > 1)
            m_printer.newPage();
        PrintPageHeader();
    }
    m_painter.drawText(m_layout.leftMargin, place.y + m_nAscent, text);
}

void CPrinter::PrintPageHeader()
{
    m_painter.save();
    // The title and the page number in the text colour; only the rule is red.
    const int y = m_layout.TitleY() + m_nAscent;
    m_painter.drawText(m_layout.leftMargin, y, kTitle);
    const QString number = QString::fromStdString(PageNumberText(m_cursor.PageNumber()));
    const int width = m_painter.fontMetrics().horizontalAdvance(number);
    m_painter.drawText(m_layout.PageNumberX(width), y, number);
    QPen pen(QColor(255, 0, 0));
    pen.setWidth(m_layout.ruleWidth);
    pen.setCapStyle(Qt::FlatCap);
    m_painter.setPen(pen);
    m_painter.drawLine(m_layout.RuleStartX(), m_layout.RuleY(), m_layout.RuleEndX(), m_layout.RuleY());
    m_painter.restore();
}

bool CPrinter::EndPrinting()
{
    if (!m_bDocOpen)
        return true;
    m_bDocOpen = false;
    return m_painter.end();
}

}  // namespace bramble
