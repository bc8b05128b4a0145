#include "label_layout.h"

#include "core/app_state.h"
#include "core/settings_store.h"
#include "data/create_db.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "engine/regional.h"
#include "engine/sql_dialect.h"

#include <QRegularExpression>

namespace zelk {

LabelLayout builtInLabelLayout()
{
    LabelLayout l;
    l.topMargin = 0.63;
    l.leftMargin = 0.35;
    l.labelHeight = 1.5;
    l.labelWidth = 2.5;
    l.labelsWide = 3;
    l.labelsHigh = 7;
    l.horizGap = 0.1;
    l.vertGap = 0;
    return l;
}

LabelLayout layoutOfRecord(const Recordset& labels)
{
    LabelLayout layout = builtInLabelLayout();
    layout.name = labels.field(QStringLiteral("LabelName")).toString();
    // A field that cannot be read ends the reading; the values read before it stand.
    auto read = [&](const char* field) -> std::optional<QVariant> {
        try {
            QVariant value = labels.field(QLatin1String(field));
            if (value.isNull())
                return std::nullopt;
            return value;
        } catch (const EngineError&) {
            return std::nullopt;
        }
    };
    double* const measures[] = {&layout.topMargin,   &layout.leftMargin, &layout.labelHeight,
                                &layout.labelWidth,  &layout.vertGap,    &layout.horizGap};
    const char* const measureFields[] = {"TopMargin", "LeftMargin", "LabelHeight", "LabelWidth", "LabelVertGap", "LabelHorizGap"};
    for (int i = 0; i < 6; ++i) {
        const auto value = read(measureFields[i]);
        if (!value)
            return layout;
        // The stored single-precision value, as its decimal text shows it: 0.63, not 0.6299999952.
        *measures[i] = QString::number(value->toFloat(), 'g', 7).toDouble();
    }
    for (auto [field, target] : {std::pair{"LabelsWide", &layout.labelsWide}, std::pair{"LabelsHigh", &layout.labelsHigh}}) {
        const auto value = read(field);
        if (!value)
            return layout;
        *target = value->toInt();
    }
    if (const auto font = read("LabelFont"))
        layout.fontName = font->toString();
    if (const auto size = read("FontSize"))
        layout.fontSize = QString::number(size->toFloat(), 'g', 7).toDouble();
    return layout;
}

LabelLayout GetLabelLayout(AppState& state)
{
    const QString name = readSetting(setting::LabelSize);
    if (Recordset* labels = state.rsLabels.get(); labels && labels->recordCount() > 0) {
        labels->moveFirst();
        labels->findFirst(QStringLiteral("LabelName = ") + sql::quoteText(name));
        if (!labels->noMatch())
            return layoutOfRecord(*labels);
    }
    CreateLabelsTable(state.DatabasePath);
    if (state.dbZelk) {
        try {
            state.reopen(state.rsLabels, query::labels());
        } catch (const EngineError&) {
            // The sheets stay as they were listed; printing goes on with the built-in layout.
        }
    }
    return builtInLabelLayout();
}

std::optional<double> readLabelNumber(const QString& text)
{
    const QString typed = text.trimmed();
    const QString point = regional::locale().decimalPoint();
    if (point != QLatin1String(".") && typed.contains(u'.') && !typed.contains(point)) {
        // A measure typed with a point where the user's form has a comma: "0.63".
        static const QRegularExpression plain(QStringLiteral("^[+-]?(\\d+\\.?\\d*|\\.\\d+)$"));
        if (!plain.match(typed).hasMatch())
            return std::nullopt;
        return QLocale::c().toDouble(typed);
    }
    return regional::parseNumber(typed);
}

QString labelNumberText(double value)
{
    QLocale locale = regional::locale();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(float(value), 'g', 6);
}

} // namespace zelk
