#pragma once
// Reads back a PDF the program wrote, through poppler's tools: each word's page and
// position, the number of pages, and a page as pixels.
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
// Where the word was printed: "page 1 at 5.48, 2.13", inches from the paper's left and top
// edges to the hundredth (pdftotext puts a word's top at its font's ascent above the
// baseline, which for a label's first line is the label's top edge); "not printed".
QString placeOf(const QList<PdfWord>& words, const QString& text);

// "Pages:" of pdfinfo; -1 when the file cannot be read as a PDF.
int pdfPageCount(const QString& pdf);
// One page as a grey image at `dpi` dots per inch (pdftoppm).
QImage pdfPageImage(const QString& pdf, int page, int dpi);

} // namespace zelk::test
