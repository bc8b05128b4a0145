#pragma once
// Reads back a PDF the program wrote, through poppler's tools: each word's page and
// position in points, the number of pages, the fonts it carries, and a page as pixels.
#include <QImage>
#include <QList>
#include <QString>
#include <QStringList>

namespace zelk::test {

struct PdfWord {
    int page = 0;   // from 1
    QString text;
    double left = 0, top = 0, right = 0, bottom = 0;   // points from the paper's top left corner
};

// Every word of the file, page by page (pdftotext -bbox). Fails the test when the tool fails.
QList<PdfWord> pdfWords(const QString& pdf);
// The first word with that text; a word with page 0 when there is none.
PdfWord findWord(const QList<PdfWord>& words, const QString& text);

// "Pages:" of pdfinfo; -1 when the file cannot be read as a PDF.
int pdfPageCount(const QString& pdf);
// The names of the fonts the file carries (pdffonts), subset prefixes removed.
QStringList pdfFonts(const QString& pdf);
// One page as a grey image at `dpi` dots per inch (pdftoppm).
QImage pdfPageImage(const QString& pdf, int page, int dpi);

} // namespace zelk::test
