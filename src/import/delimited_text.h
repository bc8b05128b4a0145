#pragma once
// Taking a delimited text apart into records of values: one record per line, the values
// split at the separator (tab, comma or semicolon).
//
// Each value is the text up to the next separator or line end, with the blanks at its ends
// removed. A value that then begins with a double quote is quoted: it runs to its closing
// quote, across separators and line breaks, and two double quotes inside it stand for one
// ("Flat 3, The Gables" stays one value, "The ""Nook""" reads The "Nook"); anything
// between the closing quote and the separator is added to it, blanks at its end removed.
// A quote that is never closed is taken as an ordinary character: that value ends at the
// next separator or line end and loses only that one quote (and a quote at its end).
// A double quote inside an unquoted value is an ordinary character.
//
// Lines end with CR LF, LF or CR. An empty line is a record of one empty value; a line
// end at the very end of the text does not start another record.
#include <QString>
#include <QStringList>
#include <QStringView>
#include <vector>

namespace zelk::import {

class DelimitedReader {
public:
    // Reads `text`, which must outlive the reader.
    DelimitedReader(QStringView text, QChar separator);

    bool atEnd() const { return m_pos >= m_text.size(); }
    // The values of the next record (at least one), replacing what `values` held.
    void next(std::vector<QString>& values);
    QStringList next();
    // Characters taken so far, of size().
    qsizetype position() const { return m_pos; }
    qsizetype size() const { return m_text.size(); }

private:
    QString unquoted(qsizetype start);
    QString quoted(qsizetype openingQuote);
    qsizetype valueEnd(qsizetype from) const;   // the next separator or line end, or the end
    void takeLineEnd();

    QStringView m_text;
    QChar m_separator;
    qsizetype m_pos = 0;
};

// The values of `text` split as above, record by record.
std::vector<QStringList> splitRecords(QStringView text, QChar separator);

} // namespace zelk::import
