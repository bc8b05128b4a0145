#include "windows_register_question.h"

#include "windows_register.h"

#include "ui/busy_cursor.h"
#include "ui/message_box.h"

#include <QDir>
#include <QFileInfo>

namespace zelk {

namespace {

QString shownPath(const QString& path)
{
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

} // namespace

ForeignRegister askToConvertWindowsRegister(const QString& path)
{
    if (!import::isWindowsRegister(path))
        return ForeignRegister::NotRecognised;
    const MsgAnswer answer = MessageBox::show(
        QStringLiteral("The file %1 is a membership register kept by the Windows program, which this version of Zelk "
                       "Membership cannot open as it is.\n\n"
                       "Do you want to convert it now? Its members, settings, screen texts, membership types, lookups and "
                       "label sheets are copied into a new register in its place, and the original file is kept beside it "
                       "as %2.\n\n"
                       "If you answer No, Zelk Membership closes and the file is left as it is.")
            .arg(shownPath(path), QFileInfo(import::keptOriginalName(path)).fileName()),
        QStringLiteral("Register of the Windows program"), MsgButtons::YesNo, MsgIcon::Question, MsgAnswer::Yes);
    if (answer != MsgAnswer::Yes)
        return ForeignRegister::Stopped;

    import::ConversionReport report;
    QString failure;
    {
        BusyCursor busy;
        letEventsRun();
        try {
            report = import::convertWindowsRegister(path, [](qint64 done, qint64) {
                if (done % 500 == 0)
                    letEventsRun();
            });
        } catch (const import::ConversionFailed& e) {
            failure = e.message();
        }
    }
    if (!failure.isEmpty()) {
        MessageBox::show(failure, QStringLiteral("Problem loading Zelk Membership"), MsgButtons::OK, MsgIcon::Critical);
        return ForeignRegister::Stopped;
    }
    MessageBox::show(QStringLiteral("Your register has been converted: %1 members, %2 membership types, %3 lookups and %4 "
                                    "label sheets.\n\nThe Windows program's file is kept as %5.")
                         .arg(report.members)
                         .arg(report.memberTypes)
                         .arg(report.lookups)
                         .arg(report.labelSheets)
                         .arg(shownPath(report.keptAs)),
                     QStringLiteral("Register converted"), MsgButtons::OK, MsgIcon::Information);
    return ForeignRegister::Converted;
}

} // namespace zelk
