// The line printer on a PDF printer: half-inch margins, the page header
// (title at the left margin, page number ending at the right margin, a red
// rule), page breaks, and the job's start and end.
#include <cmath>

#include <QFontInfo>
#include <QFontMetricsF>
#include <QImage>
#include <QPrinter>
#include <QtTest>

#include "../output/OutputTestSupport.h"
#include "charts/CPrinter.h"

using namespace bramble;
using namespace bramble::test;

namespace {

constexpr double kPointsPerInch = 72.0;

std::unique_ptr<QPrinter> PdfPrinter(const QString& path, int dpi = 600)
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path);
    printer->setResolution(dpi);
    printer->setPageSize(QPageSize(QPageSize::A4));
    return printer;
}

const PdfWord* FindWord(const PdfBoxes& boxes, const QString& text, int page = 0)
{
    for (const PdfWord& word : boxes.words)
        if (word.text == text && (page == 0 || word.page == page))
            return &word;
    return nullptr;
}

}  // namespace

class CPrinterTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { m_settings = UsePrivateSettings(); }

    void measuresHalfInchMarginsAndRuleAt600Dpi()
    {
        auto printer = PdfPrinter(m_dir.filePath("measures.pdf"));
        CPrinter job(*printer);
        QVERIFY(job.StartPrinting());
        QCOMPARE(job.Layout().topMargin, 300);
        QCOMPARE(job.Layout().leftMargin, 300);
        QCOMPARE(job.Layout().ruleWidth, 6);
        // A4 (595 x 842 points) at 600 dpi, the whole sheet.
        QCOMPARE(job.Layout().pageWidth, printer->width());
        QVERIFY2(std::abs(job.Layout().pageWidth - 4960) <= 3, qPrintable(QString::number(job.Layout().pageWidth)));
        QVERIFY2(std::abs(job.Layout().pageHeight - 7016) <= 3, qPrintable(QString::number(job.Layout().pageHeight)));
        QVERIFY(job.Layout().lineHeight > 0);
        // Every character advances by the same width, whatever the font
        // setup (Qt's own fixed-pitch flag is false for Noto Sans Mono).
        const QFontMetricsF metrics(job.Font(), printer.get());
        const qreal advance = metrics.horizontalAdvance(QLatin1Char(' '));
        QVERIFY(advance > 0);
        for (char c = '!'; c <= '~'; ++c)
            QVERIFY2(std::abs(metrics.horizontalAdvance(QLatin1Char(c)) - advance) < 1e-3,
                     qPrintable(QStringLiteral("%1 in %2").arg(QLatin1Char(c)).arg(QFontInfo(job.Font()).family())));
        QVERIFY(job.EndPrinting());
    }

    void headerAndFirstLineSitAtTheMargins()
    {
        const QString path = m_dir.filePath("header.pdf");
        auto printer = PdfPrinter(path);
        int lineHeight = 0;
        {
            CPrinter job(*printer);
            QVERIFY(job.StartPrinting());
            lineHeight = job.Layout().lineHeight;
            job.PrintLine("first-line");
            job.PrintLine("");
            job.PrintLine("third-line");
            QVERIFY(job.EndPrinting());
        }
        const PdfBoxes boxes = PdfWords(path);
        QVERIFY(std::abs(boxes.pageWidth - 595.3) < 1.0);
        const double margin = kPointsPerInch / 2;
        const PdfWord* title = FindWord(boxes, "Bramble");
        const PdfWord* number = FindWord(boxes, "1");
        const PdfWord* first = FindWord(boxes, "first-line");
        const PdfWord* third = FindWord(boxes, "third-line");
        QVERIFY(title && number && first && third);
        QVERIFY2(std::abs(title->xMin - margin) < 1.0, qPrintable(QString::number(title->xMin)));
        QVERIFY2(std::abs(number->xMax - (boxes.pageWidth - margin)) < 1.0, qPrintable(QString::number(number->xMax)));
        QVERIFY(title->yMax < margin);  // the header is above the top margin
        QVERIFY2(std::abs(first->xMin - margin) < 1.0, qPrintable(QString::number(first->xMin)));
        QVERIFY2(std::abs(first->yMin - margin) < 2.0, qPrintable(QString::number(first->yMin)));
        // The empty line still took its line height.
        const double linePoints = lineHeight * kPointsPerInch / 600.0;
        QVERIFY2(std::abs((third->yMin - first->yMin) - 2 * linePoints) < 0.5,
                 qPrintable(QString::number(third->yMin - first->yMin)));
    }

    void theRuleIsRedAcrossTheMargins()
    {
        const QString path = m_dir.filePath("rule.pdf");
        auto printer = PdfPrinter(path, 300);
        PageLayout layout;
        {
            CPrinter job(*printer);
            QVERIFY(job.StartPrinting());
            layout = job.Layout();
            job.PrintLine("x");
            QVERIFY(job.EndPrinting());
        }
        QCOMPARE(layout.ruleWidth, 3);
        const QString prefix = m_dir.filePath("rule");
        RunTool("pdftoppm", {"-r", "300", "-f", "1", "-l", "1", "-x", "0", "-y", "0", "-W", "2480", "-H", "200", "-png",
                             path, prefix});
        const QImage image(prefix + "-1.png");
        QVERIFY(!image.isNull());
        const int y = layout.RuleY();
        auto isRed = [&](int x) {
            const QColor c = image.pixelColor(x, y);
            return c.red() > 200 && c.green() < 80 && c.blue() < 80;
        };
        QVERIFY(isRed(layout.RuleStartX() + 2));
        QVERIFY(isRed(layout.pageWidth / 2));
        QVERIFY(isRed(layout.RuleEndX() - 2));
        QVERIFY(!isRed(layout.RuleStartX() - 4));
        QVERIFY(!isRed(layout.RuleEndX() + 4));
    }

    void aFullPageThenABreakWithTheNextNumber()
    {
        const QString path = m_dir.filePath("pages.pdf");
        auto printer = PdfPrinter(path);
        int perPage = 0;
        {
            CPrinter job(*printer);
            QVERIFY(job.StartPrinting());
            perPage = job.Layout().LinesPerPage();
            for (int i = 1; i <= perPage + 1; ++i)
                job.PrintLine(QString("line-%1").arg(i));
            QCOMPARE(job.PageNumber(), 2);
            QVERIFY(job.EndPrinting());
        }
        const QStringList pages = PdfPages(path);
        QCOMPARE(pages.size(), 2);
        const QStringList first = TextLines(pages[0]);
        const QStringList second = TextLines(pages[1]);
        QVERIFY(first.contains(QString("line-%1").arg(perPage)));
        QVERIFY(!first.contains(QString("line-%1").arg(perPage + 1)));
        QCOMPARE(second.filter("line-"), QStringList{QString("line-%1").arg(perPage + 1)});
        const PdfBoxes boxes = PdfWords(path);
        QVERIFY(FindWord(boxes, "1", 1));
        QVERIFY(FindWord(boxes, "2", 2));
        QVERIFY(FindWord(boxes, "Bramble", 2));
        // The last line of a full page reaches into the bottom margin by less than a line.
        const PdfWord* last = FindWord(boxes, QString("line-%1").arg(perPage), 1);
        QVERIFY(last);
        QVERIFY(last->yMin <= boxes.pageHeight - kPointsPerInch / 2 + 0.5);
    }

    void exactlyOnePageOfLinesNeedsNoBreak()
    {
        const QString path = m_dir.filePath("one-page.pdf");
        auto printer = PdfPrinter(path);
        CPrinter job(*printer);
        QVERIFY(job.StartPrinting());
        for (int i = 0; i < job.Layout().LinesPerPage(); ++i)
            job.PrintLine("row");
        QCOMPARE(job.PageNumber(), 1);
        QVERIFY(job.EndPrinting());
        QCOMPARE(PdfPages(path).size(), 1);
    }

    void endingAtOnceStartsNoPage()
    {
        const QString path = m_dir.filePath("empty.pdf");
        auto printer = PdfPrinter(path);
        CPrinter job(*printer);
        QVERIFY(job.StartPrinting());
        QCOMPARE(job.PageNumber(), 0);
        QVERIFY(job.EndPrinting());
        QVERIFY(!job.DocumentOpen());
        QVERIFY(QFile::exists(path));
        QVERIFY(PdfWords(path).words.empty());  // not even the header
    }

    void destroyingAnOpenJobEndsIt()
    {
        const QString path = m_dir.filePath("destroyed.pdf");
        auto printer = PdfPrinter(path);
        {
            CPrinter job(*printer);
            QVERIFY(job.StartPrinting());
            job.PrintLine("left-open");
            QVERIFY(job.DocumentOpen());
        }
        QVERIFY(TextLines(PdfPages(path).value(0)).contains("left-open"));
    }

    void aPdfThatCannotBeCreatedDoesNotStart()
    {
        auto printer = PdfPrinter(m_dir.filePath("no-such-folder/x.pdf"));
        CPrinter job(*printer);
        QVERIFY(!job.StartPrinting());
        QVERIFY(!job.DocumentOpen());
        job.PrintLine("ignored");
        QCOMPARE(job.PageNumber(), 0);
    }

private:
    std::unique_ptr<QTemporaryDir> m_settings;
    QTemporaryDir m_dir;
};

QTEST_MAIN(CPrinterTest)
#include "CPrinter_test.moc"
