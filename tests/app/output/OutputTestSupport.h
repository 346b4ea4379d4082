#pragma once

// Helpers of the print and export tests: the print dialog driven to a PDF
// file, the text of a PDF (pdftotext, also with word boxes), and a long
// CG-3 survey written on the fly.

#include <vector>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPrintDialog>
#include <QProcess>
#include <QRegularExpression>
#include <QStringList>
#include <QTextStream>

#include "../support/AppTestSupport.h"

namespace bramble::test {

// In the next print dialog, names `path` as the PDF file and presses OK.
// Where no printer is installed, printing to a PDF file is the dialog's one
// choice.
inline std::shared_ptr<bool> PrintNextToPdf(const QString& path)
{
    return OnNextModal<QPrintDialog>([path](QPrintDialog* dialog) {
        auto* name = dialog->findChild<QLineEdit*>("filename");
        QVERIFY2(name, "the print dialog offers no file name");
        QVERIFY2(name->isEnabled(), "the print dialog does not offer printing to a file");
        name->setText(path);
        dialog->accept();
    });
}

// Cancels the next print dialog.
inline std::shared_ptr<bool> CancelNextPrintDialog()
{
    return OnNextModal<QPrintDialog>([](QPrintDialog* dialog) { dialog->reject(); });
}

inline QByteArray RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitCode() != 0)
        return {};
    return process.readAllStandardOutput();
}

// The text of every page, in order, laid out in lines as printed (pdftotext
// ends each page with a form feed). The title and the page number share the
// first line.
inline QStringList PdfPages(const QString& pdf)
{
    const QString text = QString::fromUtf8(RunTool("pdftotext", {"-layout", pdf, "-"}));
    QStringList pages = text.split(QChar('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// The lines of a page's text that are not blank, with runs of blanks made one.
inline QStringList TextLines(const QString& page)
{
    QStringList lines;
    for (const QString& line : page.split('\n')) {
        const QString simple = line.simplified();
        if (!simple.isEmpty())
            lines << simple;
    }
    return lines;
}

struct PdfWord {
    int page = 0;                                   // 1-based
    double xMin = 0, yMin = 0, xMax = 0, yMax = 0;  // points from the top-left corner
    QString text;
};

struct PdfBoxes {
    double pageWidth = 0, pageHeight = 0;  // points
    std::vector<PdfWord> words;
};

// Every word of the PDF with its box (pdftotext -bbox).
inline PdfBoxes PdfWords(const QString& pdf)
{
    PdfBoxes boxes;
    const QString html = QString::fromUtf8(RunTool("pdftotext", {"-bbox", pdf, "-"}));
    static const QRegularExpression pageRe(R"re(<page width="([\d.]+)" height="([\d.]+)">)re");
    static const QRegularExpression wordRe(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re");
    int page = 0;
    for (const QString& line : html.split('\n')) {
        if (const auto m = pageRe.match(line); m.hasMatch()) {
            ++page;
            boxes.pageWidth = m.captured(1).toDouble();
            boxes.pageHeight = m.captured(2).toDouble();
        } else if (const auto w = wordRe.match(line); w.hasMatch()) {
            QString text = w.captured(5);
            text.replace("&amp;", "&").replace("&lt;", "<").replace("&gt;", ">").replace("&quot;", "\"");
            boxes.words.push_back({page, w.captured(1).toDouble(), w.captured(2).toDouble(), w.captured(3).toDouble(),
                                   w.captured(4).toDouble(), text});
        }
    }
    return boxes;
}

inline QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

inline void WriteAll(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// A one-block CG-3 dump with `stations` readings of the stations 1 .. n, a
// minute apart, under the header of the example survey's first block.
inline QString WriteLongSurvey(const QString& folder, int stations)
{
    QFile example(BRAMBLE_EXAMPLES "/cg3-two-blocks.dat");
    if (!example.open(QIODevice::ReadOnly | QIODevice::Text))
        return {};
    QString text;
    while (!example.atEnd()) {
        const QString line = QString::fromLatin1(example.readLine());
        text += line;
        if (line.contains("Station"))
            break;
    }
    text += "\n";
    for (int i = 0; i < stations; ++i) {
        const int seconds = 8 * 3600 + 60 * i;
        text += QString::asprintf("%9d.  %8.3f  0.021     -3.     2.  -0.82  -0.062   60   0  %02d:%02d:%02d\n", i + 1,
                                  2400.0 + i * 0.125, seconds / 3600, seconds / 60 % 60, seconds % 60);
    }
    const QString path = QDir(folder).filePath(QString("long-%1.dat").arg(stations));
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return {};
    out.write(text.toLatin1());
    return path;
}

}  // namespace bramble::test
