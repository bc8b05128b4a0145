// Takes the README's pictures of the reports window and of a list report page: a small
// club in a register of its own, the window filled in as a secretary would, and the page
// the list report writes, drawn by Qt's own HTML rendering.
//
//   zelk-report-screenshots FOLDER   (writes FOLDER/reports-window.png and FOLDER/list-report.png)
#include "core/app_state.h"
#include "core/settings_store.h"
#include "data/create_db.h"
#include "engine/database.h"
#include "engine/recordset.h"
#include "entry/frm_zelk_main.h"
#include "reports/frm_prints.h"
#include "reports/list_report.h"
#include "reports/report_file.h"
#include "reports/selection_query.h"
#include "ui/frm_splash.h"
#include "ui/startup.h"

#include <QApplication>
#include <QCheckBox>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTextBrowser>

#include <cstdio>
#include <memory>

using namespace zelk;

namespace {

// Number|Title|FirstName|Surname|Address1|Address2|PostCode|Phone|MemberType|RenewDate|Lapsed
const char* const kClub[] = {
    "12|Mrs|Zoë|Ólafsson-Müller|The Old Rectory|Little Snoring|NR21 0AB|01328 123456|Full|2026-04-01|",
    "14|Mr|Arthur|Abbott|3 Mill Lane|Fakenham|NR21 8AA|01328 864209|Full|2026-04-01|",
    "15|Dr|Priya|Chaudhry|Flat 2, 40 Oak Road|Norwich|NR2 3HX|01603 499120|Full|2026-04-01|",
    "21|Ms|Siobhan|Doyle|Rose Cottage|Holt|NR25 6BB|01263 712044|Full|2026-05-01|",
    "23|Mr|Tomasz|Kowalski|9 Station Road|Melton Constable|NR24 2AX||Full|2026-04-01|",
    "30|Mrs|Margaret|Hughes|27 Norwich Road|Aylsham|NR11 6BN|01263 733021|Full|2026-04-01|lapsed",
    "31|Mr|Kwame|Mensah|11 The Street|Briston|NR24 2LP|01263 860144|Full|2026-06-01|",
    "35|Miss|Emily|Jarvis|4 Church View|Fakenham|NR21 9DP|01328 851667|Junior|2026-04-01|",
    "40|Mr|David|Lloyd|Orchard House|Hindolveston|NR20 5BU|01263 861200|Full|2026-04-01|",
    "44|Mrs|Sarah|Pearce|2 Green Lane|Holt|NR25 6LR|01263 711904|Full|2026-04-01|",
};

void buildClub(const QString& path)
{
    buildNewDatabase(path);
    auto db = Database::open(path);
    db->execute(QStringLiteral("Delete from Zelk"));
    auto rs = db->openRecordset(QStringLiteral("Zelk"));
    const QStringList fields{"Number", "Title", "FirstName", "Surname", "Address1", "Address2", "PostCode", "Phone", "MemberType"};
    for (const char* line : kClub) {
        const QStringList v = QString::fromUtf8(line).split(u'|');
        rs->addNew();
        for (int i = 0; i < fields.size(); ++i)
            if (!v[i].isEmpty())
                rs->setField(fields[i], i == 0 ? QVariant(v[i].toInt()) : QVariant(v[i]));
        rs->setField(QStringLiteral("RenewDate"), QDate::fromString(v[9], Qt::ISODate));
        rs->setField(QStringLiteral("Lapsed"), v[10] == QLatin1String("lapsed"));
        rs->update();
    }
}

bool save(QWidget& widget, const QString& file)
{
    if (widget.grab().save(file))
        return true;
    std::fprintf(stderr, "could not write %s\n", qPrintable(file));
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QApplication::setStyle(QStringLiteral("Fusion"));
    QLocale::setDefault(QLocale(QStringLiteral("en_GB")));
    if (argc != 2) {
        std::fprintf(stderr, "usage: zelk-report-screenshots FOLDER\n");
        return 2;
    }
    const QString out = QDir(QString::fromLocal8Bit(argv[1])).absolutePath();
    QTemporaryDir home;
    qputenv("ZELK_HOME", home.path().toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", QDir(home.path()).filePath(QStringLiteral("config")).toLocal8Bit());
    QCoreApplication::setOrganizationName(QStringLiteral("Zelk2002"));
    QCoreApplication::setApplicationName(QStringLiteral("Zelk2002"));
    buildClub(QDir(home.path()).filePath(QStringLiteral("zelk2002.mdb")));

    saveSetting(setting::WebBrowser, QStringLiteral("/usr/bin/true"));   // no browser search at the start
    AppState state;
    std::unique_ptr<frmZelkMain> main;
    {
        frmSplash splash;
        if (!runStartup(state, splash, [&](AppState& s) { main = std::make_unique<frmZelkMain>(s); }))
            return 1;
    }

    // The window as a secretary fills it for the spring renewal list.
    frmPrints window(state, *main);
    window.optReport[1]->setChecked(true);
    window.optReport_Click(1);
    window.txtRange[reports::range::TypeFrom]->setText(QStringLiteral("Full"));
    window.txtRange[reports::range::TypeTo]->setText(QStringLiteral("Full"));
    window.txtRange[reports::range::RenewalFrom]->setText(QStringLiteral("1"));
    window.txtRange[reports::range::RenewalFrom + 1]->setText(QStringLiteral("4"));
    window.txtRange[reports::range::RenewalFrom + 2]->setText(QStringLiteral("2026"));
    window.txtRange[reports::range::RenewalTo]->setText(QStringLiteral("30"));
    window.txtRange[reports::range::RenewalTo + 1]->setText(QStringLiteral("4"));
    window.txtRange[reports::range::RenewalTo + 2]->setText(QStringLiteral("2026"));
    window.txtPriority[0]->setText(QStringLiteral("1"));
    window.optLapsed[1]->setChecked(true);
    for (int i : {reports::include::Phone, reports::include::RenewDate, reports::include::Number})
        window.chkInclude[i]->setChecked(true);
    window.optNameOrder[0]->setChecked(true);
    window.txtHeading->setText(QStringLiteral("Full members renewing in April 2026"));
    window.show();
    window.adjustSize();
    QApplication::processEvents();
    if (!save(window, QDir(out).filePath(QStringLiteral("reports-window.png"))))
        return 1;

    // The page the list report writes for that selection, as Qt draws HTML.
    window.BuildReportQuery();
    state.reopen(state.rsZelk, state.SelectionSQL);
    QString html;
    const QString page = QDir(home.path()).filePath(QStringLiteral("report.htm"));
    const QString problem = reports::saveReport(page, [&](QIODevice& file) {
        return reports::PrintReport(*state.rsZelk, window.content(), file);
    });
    QFile written(page);
    if (!problem.isEmpty() || !written.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "could not write the list report: %s\n", qPrintable(problem));
        return 1;
    }
    QTextBrowser browser;
    browser.setHtml(QString::fromUtf8(written.readAll()));
    browser.show();
    browser.resize(820, 200);
    browser.resize(820, int(browser.document()->size().height()) + 2 * browser.frameWidth() + 24);
    QApplication::processEvents();
    if (!save(browser, QDir(out).filePath(QStringLiteral("list-report.png"))))
        return 1;
    window.close();
    std::printf("screenshots written to %s\n", qPrintable(out));
    return 0;
}
