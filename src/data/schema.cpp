#include "schema.h"

#include "field_names.h"

namespace zelk::schema {

namespace {

FieldDef text(const QString& name, int size, bool allowZeroLength = true)
{
    return {name, FieldType::Text, size, allowZeroLength};
}
FieldDef typed(const QString& name, FieldType type)
{
    return {name, type, 0, true};
}

} // namespace

TableDef zelkTable()
{
    TableDef t;
    t.name = QStringLiteral("Zelk");
    t.fields = {
        typed(field::Number, FieldType::Long),
        typed(QStringLiteral("JoinDate"), FieldType::DateTime),
        typed(field::RenewDate, FieldType::DateTime),
        typed(QStringLiteral("FeePaid"), FieldType::Currency),
        text(QStringLiteral("Title"), 100),
        text(field::FirstName, 100),
        text(field::Surname, 100),
        text(field::Address1, 100),
        text(QStringLiteral("Address2"), 100),
        text(QStringLiteral("Address3"), 100),
        text(QStringLiteral("Address4"), 100),
        text(QStringLiteral("Address5"), 100),
        text(QStringLiteral("PostCode"), 100),
        text(QStringLiteral("Phone"), 50),
        text(QStringLiteral("WorkPhone"), 50),
        text(field::MemberType, 100),
        text(QStringLiteral("Lookup1"), 100),
        text(QStringLiteral("Lookup2"), 100),
        text(QStringLiteral("Lookup3"), 100),
        text(QStringLiteral("Lookup4"), 100),
        text(QStringLiteral("Lookup5"), 100),
        text(QStringLiteral("Lookup6"), 100),
        typed(QStringLiteral("Birthday"), FieldType::DateTime),
        typed(field::Memo, FieldType::Memo),
        text(QStringLiteral("Suffix"), 10),
        typed(QStringLiteral("AlwaysInclude"), FieldType::Boolean),
        text(field::Picture, 255),
        text(QStringLiteral("Fax"), 50),
        text(QStringLiteral("Mobile"), 50),
        text(QStringLiteral("Email"), 100),
        text(QStringLiteral("Email2"), 100),
        text(QStringLiteral("InternetLink"), 255),
        typed(field::Lapsed, FieldType::Boolean),
    };
    t.indexes = {
        {QStringLiteral("Date"), {QStringLiteral("RenewDate")}, false},
        {QStringLiteral("Lookups"),
         {QStringLiteral("Lookup1"), QStringLiteral("Lookup2"), QStringLiteral("Lookup3"), QStringLiteral("Lookup4"),
          QStringLiteral("Lookup5"), QStringLiteral("Lookup6")},
         false},
        {QStringLiteral("Number"), {QStringLiteral("Number")}, false},
        {QStringLiteral("PostCode"), {QStringLiteral("PostCode")}, false},
        {QStringLiteral("Surname"), {QStringLiteral("Surname")}, false},
        {QStringLiteral("Type"), {QStringLiteral("MemberType")}, false},
    };
    return t;
}

TableDef lookupsTable()
{
    return {QStringLiteral("Lookups"),
            {text(QStringLiteral("Lookups"), 100, false)},
            {{QStringLiteral("Lookups"), {QStringLiteral("Lookups")}, false}}};
}

TableDef membersTable()
{
    return {QStringLiteral("Members"),
            {text(QStringLiteral("Member Type"), 100, false)},
            {{QStringLiteral("Member Type"), {QStringLiteral("Member Type")}, false}}};
}

TableDef settingsTable()
{
    TableDef t;
    t.name = QStringLiteral("Settings");
    t.fields.push_back(typed(field::LastNumber, FieldType::Long));
    for (const auto& flag : includeFlagFields())
        t.fields.push_back(typed(flag, FieldType::Boolean));
    for (const auto& caption : captionFields())
        t.fields.push_back(text(caption.field, 100));
    t.fields.push_back(text(field::YearStart, 100));
    t.fields.push_back(text(field::YearEnd, 100));
    return t;
}

TableDef labelsTable()
{
    TableDef t;
    t.name = QStringLiteral("Labels");
    t.fields = {
        text(QStringLiteral("LabelName"), 100, false),
        typed(QStringLiteral("TopMargin"), FieldType::Single),
        typed(QStringLiteral("LeftMargin"), FieldType::Single),
        typed(QStringLiteral("LabelHeight"), FieldType::Single),
        typed(QStringLiteral("LabelWidth"), FieldType::Single),
        typed(QStringLiteral("LabelVertGap"), FieldType::Single),
        typed(QStringLiteral("LabelHorizGap"), FieldType::Single),
        typed(QStringLiteral("LabelsWide"), FieldType::Integer),
        typed(QStringLiteral("LabelsHigh"), FieldType::Integer),
        text(QStringLiteral("LabelFont"), 100),
        typed(QStringLiteral("FontSize"), FieldType::Single),
    };
    t.indexes = {{QStringLiteral("LabelName"), {QStringLiteral("LabelName")}, true}};
    return t;
}

std::vector<TableDef> allTables()
{
    return {zelkTable(), lookupsTable(), membersTable(), settingsTable(), labelsTable()};
}

const std::vector<LabelSheet>& defaultLabelSheets()
{
    static const std::vector<LabelSheet> sheets{
        {"L7159", 0.54f, 0.25f, 1.33f, 2.52f, 0.0f, 0.11f, 3, 8},
        {"L7160", 0.63f, 0.28f, 1.5f, 2.5f, 0.0f, 0.1f, 3, 7},
        {"L7162", 0.54f, 0.18f, 1.33f, 3.9f, 0.0f, 0.1f, 2, 8},
        {"L7163", 0.63f, 0.18f, 1.5f, 3.9f, 0.0f, 0.1f, 2, 7},
        {"5159", 0.25f, 0.13f, 1.5f, 4.0f, 0.0f, 0.13f, 2, 7},
        {"5162", 0.83f, 0.16f, 1.33f, 4.0f, 0.0f, 0.19f, 2, 7},
    };
    return sheets;
}

const std::vector<MemberField>& memberFieldCatalogue()
{
    static const std::vector<MemberField> fields = [] {
        std::vector<MemberField> f;
        auto add = [&](const QString& field, FieldType type, int size, const QString& flag, const QString& caption,
                       const QString& defaultCaption) { f.push_back({field, type, size, flag, caption, defaultCaption}); };
        add(field::Number, FieldType::Long, 0, {}, QStringLiteral("ScreenNumber"), QStringLiteral("Number"));
        add(QStringLiteral("JoinDate"), FieldType::DateTime, 0, QStringLiteral("AllowJoinDate"), QStringLiteral("ScreenJoinDate"), QStringLiteral("Join Date"));
        add(field::RenewDate, FieldType::DateTime, 0, QStringLiteral("AllowRenewDate"), QStringLiteral("ScreenRenewDate"), QStringLiteral("Renewal Date"));
        add(QStringLiteral("FeePaid"), FieldType::Currency, 0, QStringLiteral("AllowFeePaid"), QStringLiteral("ScreenFeePaid"), QStringLiteral("Fee Paid"));
        add(QStringLiteral("Birthday"), FieldType::DateTime, 0, QStringLiteral("AllowBirthday"), QStringLiteral("ScreenBirthday"), QStringLiteral("Birthday"));
        add(QStringLiteral("Title"), FieldType::Text, 100, QStringLiteral("AllowTitle"), QStringLiteral("ScreenTitle"), QStringLiteral("Title"));
        add(field::FirstName, FieldType::Text, 100, QStringLiteral("AllowFirstName"), QStringLiteral("ScreenFirstName"), QStringLiteral("First Name"));
        add(field::Surname, FieldType::Text, 100, QStringLiteral("AllowSurname"), QStringLiteral("ScreenSurname"), QStringLiteral("Surname"));
        for (int i = 1; i <= 5; ++i)
            add(QStringLiteral("Address%1").arg(i), FieldType::Text, 100, QStringLiteral("AllowAddress%1").arg(i),
                QStringLiteral("ScreenAddress"), QStringLiteral("Address"));
        add(QStringLiteral("PostCode"), FieldType::Text, 100, QStringLiteral("AllowPostCode"), QStringLiteral("ScreenPostCode"), QStringLiteral("Post Code"));
        add(QStringLiteral("Phone"), FieldType::Text, 50, QStringLiteral("AllowPhone"), QStringLiteral("ScreenHomePhone"), QStringLiteral("Home Phone"));
        add(QStringLiteral("WorkPhone"), FieldType::Text, 50, QStringLiteral("AllowWorkPhone"), QStringLiteral("ScreenWorkPhone"), QStringLiteral("Work Phone"));
        add(QStringLiteral("Fax"), FieldType::Text, 50, QStringLiteral("AllowFax"), QStringLiteral("ScreenFax"), QStringLiteral("Fax"));
        add(QStringLiteral("Mobile"), FieldType::Text, 50, QStringLiteral("AllowMobile"), QStringLiteral("ScreenMobile"), QStringLiteral("Mobile"));
        add(QStringLiteral("Email"), FieldType::Text, 100, QStringLiteral("AllowEmail"), QStringLiteral("ScreenEmail"), QStringLiteral("E-mail"));
        add(QStringLiteral("Email2"), FieldType::Text, 100, QStringLiteral("AllowEmail2"), QStringLiteral("ScreenEmail2"), QStringLiteral("Second e-mail"));
        add(field::MemberType, FieldType::Text, 100, QStringLiteral("AllowMemberType"), QStringLiteral("ScreenMemberType"), QStringLiteral("Membership type"));
        for (int i = 1; i <= 6; ++i)
            add(QStringLiteral("Lookup%1").arg(i), FieldType::Text, 100, QStringLiteral("AllowLookup%1").arg(i),
                QStringLiteral("ScreenLookups"), QStringLiteral("Lookups"));
        add(QStringLiteral("InternetLink"), FieldType::Text, 255, QStringLiteral("AllowHttp"), QStringLiteral("ScreenHttp"), QStringLiteral("http://"));
        add(field::Memo, FieldType::Memo, 0, QStringLiteral("AllowNotes"), QStringLiteral("ScreenNotes"), QStringLiteral("Notes"));
        add(field::Picture, FieldType::Text, 255, QStringLiteral("AllowPicture"), QStringLiteral("ScreenPicture"), QStringLiteral("Picture"));
        add(field::Lapsed, FieldType::Boolean, 0, QStringLiteral("AllowLapsed"), QStringLiteral("ScreenLapsed"), QStringLiteral("Membership lapsed"));
        return f;
    }();
    return fields;
}

QStringList includeFlagFields()
{
    static const QStringList flags = [] {
        QStringList out;
        for (const auto& f : memberFieldCatalogue())
            if (!f.includeFlag.isEmpty())
                out << f.includeFlag;
        return out;
    }();
    return flags;
}

const std::vector<CaptionField>& captionFields()
{
    static const std::vector<CaptionField> captions = [] {
        std::vector<CaptionField> out;
        // The member fields' captions in catalogue order, each once, then the five controls.
        for (const auto& f : memberFieldCatalogue()) {
            if (out.empty() || out.back().field != f.captionField)
                out.push_back({f.captionField, f.defaultCaption});
        }
        out.push_back({QStringLiteral("ScreenNavigate"), QStringLiteral("Navigate")});
        out.push_back({QStringLiteral("ScreenSave"), QStringLiteral("&Save")});
        out.push_back({QStringLiteral("ScreenUndo"), QStringLiteral("&Undo")});
        out.push_back({QStringLiteral("ScreenNew"), QStringLiteral("&New")});
        out.push_back({QStringLiteral("ScreenDelete"), QStringLiteral("&Delete")});
        return out;
    }();
    return captions;
}

} // namespace zelk::schema
