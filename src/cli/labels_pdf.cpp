#include "labels_pdf.h"

#include "register_access.h"

#include "engine/engine_error.h"
#include "reports/label_geometry.h"
#include "reports/label_layout.h"
#include "reports/label_lines.h"
#include "reports/label_painter.h"

#include <QFileInfo>
#include <QSaveFile>

namespace zelk::cli {

namespace {

const QString kUpper = QStringLiteral("upper");
const QString kNumber = QStringLiteral("number");
const QString kStart = QStringLiteral("start");

int run(const QCommandLineParser& parser, CommandOutput& io)
{
    const QStringList files = parser.positionalArguments();
    if (files.size() != 1) {
        io.err << "labels-pdf needs the name of the PDF file to write, and nothing more.\n";
        return 2;
    }
    bool startIsNumber = true;
    const int startAt = parser.isSet(kStart) ? parser.value(kStart).toInt(&startIsNumber) : 1;
    if (!startIsNumber) {
        io.err << "--start needs the position of the first label on the sheet, a whole number from 1.\n";
        return 2;
    }

    auto state = openRegister(io.err);
    if (!state)
        return 1;
    QStringList labels;
    LabelLayout layout;
    try {
        layout = GetLabelLayout(*state);
        labels = labelTexts(*state->rsZelk, {parser.isSet(kUpper), parser.isSet(kNumber)});
    } catch (const EngineError& e) {
        io.err << "The members could not be read: " << e.description() << " (error " << e.number() << ")\n";
        return 1;
    }
    const QString sheet = layout.name.isEmpty() ? QStringLiteral("the built-in sheet") : layout.name;
    if (const QString problem = layoutProblem(layout, startAt); !problem.isEmpty()) {
        io.err << problem << '\n';
        return 1;
    }
    if (labels.isEmpty()) {
        io.err << "The register has no members, so there are no labels to write.\n";
        return 1;
    }

    const QString path = files.first();
    QSaveFile file(path);
    QString error;
    int pages = -1;
    if (file.open(QIODevice::WriteOnly))
        pages = writeLabelsPdf(file, layout, labels, startAt, defaultLabelPaper(), &error);
    else
        error = file.errorString();
    if (pages < 0 || !file.commit()) {
        io.err << "The labels could not be written to " << QFileInfo(path).absoluteFilePath() << ": "
               << (error.isEmpty() ? file.errorString() : error) << '\n';
        return 1;
    }
    io.out << "Wrote " << labels.size() << (labels.size() == 1 ? " label" : " labels") << " on " << pages
           << (pages == 1 ? " sheet" : " sheets") << " of " << sheet << " to " << QFileInfo(path).absoluteFilePath() << '\n';
    return 0;
}

} // namespace

Command labelsPdfCommand()
{
    Command c;
    c.name = QStringLiteral("labels-pdf");
    c.arguments = QStringLiteral("FILE");
    c.description = QStringLiteral("Writes an address label for every member, in surname order, on the default label sheet, as a PDF file.");
    c.addOptions = [](QCommandLineParser& parser) {
        parser.addPositionalArgument(QStringLiteral("FILE"), QStringLiteral("The PDF file to write."));
        parser.addOption({kUpper, QStringLiteral("Every label in capitals.")});
        parser.addOption({kNumber, QStringLiteral("The membership number after the post code.")});
        parser.addOption({kStart, QStringLiteral("The position on the first sheet of the first label (from 1), when labels of it were used before."),
                          QStringLiteral("N")});
    };
    c.run = run;
    return c;
}

} // namespace zelk::cli
