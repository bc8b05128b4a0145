#include "search_bench.h"

#include "timing.h"

#include "core/app_state.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/regional.h"
#include "data/queries.h"

#include <QFileInfo>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace zelk::bench {

namespace {

// The current member's fields turned into the texts the main window shows.
qsizetype readAsShown(const Recordset& rs)
{
    qsizetype characters = 0;
    for (int i = 0; i < int(rs.fields().size()); ++i) {
        const QVariant value = rs.field(i);
        if (value.isNull())
            continue;
        QString text;
        if (rs.fields()[size_t(i)].name == QLatin1String("FeePaid"))
            text = regional::formatCurrency(value.toDouble());
        else if (value.typeId() == QMetaType::QDate || value.typeId() == QMetaType::QDateTime)
            text = regional::formatDateValue(value);
        else
            text = value.toString();
        if (rs.fields()[size_t(i)].name == QLatin1String("Picture") && !text.isEmpty())
            characters += QFileInfo::exists(text) ? 1 : 0;
        characters += text.size();
    }
    return characters;
}

struct Keystroke {
    QString text;
    double ms = 0;
    int matches = 0;
    QString first;
};

// One keystroke of the search: the members reopened on its query and, when anyone
// matches, the first of them read as the main window shows them. Median of kRuns.
Keystroke timeKeystroke(AppState& state, const QString& text, bool anywhere)
{
    Keystroke k;
    k.text = text;
    const auto sql = query::narrowingQuery(QStringLiteral("Surname"), text, anywhere);
    k.ms = medianMs([&] {
        state.reopen(state.rsZelk, *sql);
        k.matches = state.rsZelk->recordCount();
        if (k.matches > 0)
            readAsShown(*state.rsZelk);
    });
    if (k.matches > 0)
        k.first = state.rsZelk->field(QStringLiteral("Surname")).toString() + u' '
                  + state.rsZelk->field(QStringLiteral("Number")).toString();
    return k;
}

void printRow(const QString& what, const Keystroke& k)
{
    std::printf("%-44s %10.1f  %d matches, first %s\n", what.toUtf8().constData(), k.ms, k.matches,
                k.first.isEmpty() ? "-" : k.first.toUtf8().constData());
}

} // namespace

void printSurnameSearch(const QString& path, const QString& typed)
{
    AppState state;
    std::vector<Keystroke> keys;
    Keystroke anywhere;
    try {
        state.dbZelk = Database::open(path);
        state.reopen(state.rsZelk, query::membersInOrder(QStringLiteral("Surname")));
        for (qsizetype n = 1; n <= typed.size(); ++n)
            keys.push_back(timeKeystroke(state, typed.left(n), false));
        anywhere = timeKeystroke(state, typed.mid(1), true);
    } catch (const EngineError& e) {
        std::fprintf(stderr, "surname search: engine error %d: %s\n", e.number(), qPrintable(e.description()));
        return;
    }

    std::printf("\nSurname search, one keystroke at a time (reopen on the like query, read the first match's fields;\n"
                "median of %d runs each)\n\n",
                kRuns);
    std::printf("%-44s %10s  %s\n", "keystroke", "ms", "note");
    std::printf("%-44s %10s  %s\n", QByteArray(44, '-').constData(), "----------", "----");
    std::vector<double> times;
    for (const Keystroke& k : keys) {
        printRow(QStringLiteral("\"%1\"").arg(k.text), k);
        times.push_back(k.ms);
    }
    std::printf("%-44s %10.1f  over %d keystrokes\n", "median keystroke", median(times), int(times.size()));
    printRow(QStringLiteral("\"%1\" anywhere (\"*%1*\")").arg(anywhere.text), anywhere);
}

} // namespace zelk::bench
