#include "label_pdf.h"

#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace zelk::test {

namespace {

QString run(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0) {
        qWarning("%s failed: %s", qPrintable(program), qPrintable(QString::fromUtf8(process.readAllStandardError())));
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

} // namespace

QList<PdfWord> pdfWords(const QString& pdf)
{
    static const QRegularExpression word(
        QStringLiteral(R"re(<page |<word xMin="([-0-9.]+)" yMin="([-0-9.]+)" xMax="([-0-9.]+)" yMax="([-0-9.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    int page = 0;
    for (auto it = word.globalMatch(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")})); it.hasNext();) {
        const auto m = it.next();
        if (m.captured(0) == QLatin1String("<page ")) {
            ++page;
            continue;
        }
        words.append({page, m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                      m.captured(4).toDouble()});
    }
    return words;
}

PdfWord findWord(const QList<PdfWord>& words, const QString& text)
{
    for (const PdfWord& w : words)
        if (w.text == text)
            return w;
    return {};
}

QString placeOf(const QList<PdfWord>& words, const QString& text)
{
    const PdfWord w = findWord(words, text);
    if (w.page == 0)
        return QStringLiteral("not printed");
    return QStringLiteral("page %1 at %2, %3").arg(w.page).arg(w.left / 72, 0, 'f', 2).arg(w.top / 72, 0, 'f', 2);
}

int pdfPageCount(const QString& pdf)
{
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)"), QRegularExpression::MultilineOption);
    const auto m = pages.match(run(QStringLiteral("pdfinfo"), {pdf}));
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QImage pdfPageImage(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString stem = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-gray"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                                     QString::number(page), QStringLiteral("-l"), QString::number(page),
                                     QStringLiteral("-singlefile"), pdf, stem});
    return QImage(stem + QStringLiteral(".pgm"));
}

} // namespace zelk::test
