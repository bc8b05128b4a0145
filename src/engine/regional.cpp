#include "regional.h"

#include "decimal_rounding.h"

#include <QStringList>
#include <QTime>

#include <algorithm>
#include <cmath>
#include <vector>

namespace zelk::regional {

namespace {

// Invisible direction marks (U+200E, U+200F, U+061C ...) that some locales put into their
// date patterns and currency forms; they are never part of what a user means.
bool isInvisibleMark(QChar c)
{
    return c.category() == QChar::Other_Format;
}

QString withoutInvisibleMarks(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        if (!isInvisibleMark(c))
            out += c;
    }
    return out;
}

// The words a date pattern writes as literal text ("г" in "d.MM.yy 'г'.", "de" in
// "d 'de' MMMM 'de' yyyy", "年" in "yyyy年M月d日"), which a date shown in that pattern
// carries and which reading it back must pass over.
QStringList literalWords(const QString& pattern)
{
    static const QString patternLetters = QStringLiteral("dMyhHmszaAt");
    QStringList words;
    QString word;
    bool quoted = false;
    for (QChar c : pattern) {
        if (c == QLatin1Char('\'')) {
            quoted = !quoted;
        } else if (c.isLetter() && (quoted || !patternLetters.contains(c))) {
            word += c;
            continue;
        }
        if (!word.isEmpty())
            words << word.toCaseFolded();
        word.clear();
    }
    if (!word.isEmpty())
        words << word.toCaseFolded();
    return words;
}

// A date shown in the long form names its weekday ("Wednesday, 1 April 2026", "2026年4月1日
// 水曜日"), which says nothing the date does not: the text without it, and without the
// punctuation that parted it from the date. The full names of the locale and of English
// are looked for, longest first, so no shorter name is taken out of a longer one.
QString withoutDayName(const QString& text)
{
    bool hasLetter = false;
    for (QChar c : text)
        hasLetter = hasLetter || c.isLetter();
    if (!hasLetter)
        return text;
    thread_local QLocale cachedFor = QLocale::c();
    thread_local QStringList names;
    const QLocale loc = locale();
    if (names.isEmpty() || !(cachedFor == loc)) {
        names.clear();
        for (const QLocale& l : {loc, QLocale::c()})
            for (int day = 1; day <= 7; ++day)
                for (const QString& name : {l.dayName(day), l.standaloneDayName(day)})
                    if (!name.isEmpty() && !names.contains(name))
                        names << name;
        std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.size() > b.size(); });
        cachedFor = loc;
    }
    for (const QString& name : names) {
        const qsizetype at = text.indexOf(name, 0, Qt::CaseInsensitive);
        if (at < 0)
            continue;
        QString rest = text.left(at) + text.mid(at + name.size());
        const auto parting = [](QChar c) { return !c.isLetterOrNumber() && c != QLatin1Char('.'); };
        qsizetype start = 0;
        while (start < rest.size() && (parting(rest.at(start)) || rest.at(start) == QLatin1Char('.')))
            ++start;
        qsizetype end = rest.size();
        while (end > start && parting(rest.at(end - 1)))
            --end;
        return rest.mid(start, end - start);
    }
    return text;
}

struct MonthName {
    QString folded;
    int month;
};

std::vector<MonthName> monthNames(const QLocale& loc, bool longOnly)
{
    std::vector<MonthName> names;
    for (const QLocale& l : {loc, QLocale::c()}) {
        for (int m = 1; m <= 12; ++m) {
            QStringList forms{l.monthName(m), l.standaloneMonthName(m)};
            if (!longOnly)
                forms << l.monthName(m, QLocale::ShortFormat) << l.standaloneMonthName(m, QLocale::ShortFormat);
            for (QString form : forms) {
                form = withoutInvisibleMarks(form);
                while (form.endsWith(QLatin1Char('.')))
                    form.chop(1);
                if (!form.isEmpty())
                    names.push_back({form.toCaseFolded(), m});
            }
        }
    }
    return names;
}

// A month typed as a word: a full name or abbreviation of the locale or of English, or
// the start (three letters or more) of exactly one month's full name ("Sept", "Febr").
int monthFromWord(const QString& word)
{
    const QLocale loc = locale();
    const QString folded = word.toCaseFolded();
    for (const MonthName& n : monthNames(loc, false)) {
        if (n.folded == folded)
            return n.month;
    }
    if (folded.size() < 3)
        return 0;
    int found = 0;
    for (const MonthName& n : monthNames(loc, true)) {
        if (n.folded.startsWith(folded)) {
            if (found != 0 && found != n.month)
                return 0;
            found = n.month;
        }
    }
    return found;
}

struct Token {
    enum Kind { Number, Word, Colon, Separator } kind;
    QString text;    // the digits as ASCII, the word, or the separator characters
    int value = 0;   // Number only
};

// The character at `at`: a whole code point, so digits and letters beyond the 16-bit range
// (Adlam, Chakma) count as digits and letters; `units` is how many UTF-16 units it takes.
char32_t codePointAt(QStringView s, qsizetype at, int& units)
{
    const QChar c = s.at(at);
    if (c.isHighSurrogate() && at + 1 < s.size() && s.at(at + 1).isLowSurrogate()) {
        units = 2;
        return QChar::surrogateToUcs4(c, s.at(at + 1));
    }
    units = 1;
    return c.unicode();
}

bool isDateSeparator(QChar c, const QString& localeSeparator)
{
    return c == QLatin1Char('/') || c == QLatin1Char('-') || c == QLatin1Char('.') || c == QLatin1Char(',')
        || c.isSpace() || isInvisibleMark(c) || localeSeparator.contains(c);
}

// A run of separators may hold blanks and at most one visible mark: "1. 4." and
// "Apr 1, 2026" are dates, "1//4/2026" is a slip of the keyboard.
bool isSingleSeparator(const QString& run)
{
    int visible = 0;
    for (QChar c : run) {
        if (!c.isSpace() && !isInvisibleMark(c))
            ++visible;
    }
    return visible <= 1;
}

bool isBlank(const QString& run)
{
    for (QChar c : run) {
        if (!c.isSpace() && !isInvisibleMark(c))
            return false;
    }
    return true;
}

std::optional<std::vector<Token>> tokenize(const QString& text)
{
    const QString localeSeparator = dateSeparator();
    std::vector<Token> tokens;
    auto extend = [&tokens](Token::Kind kind, QChar c) {
        if (tokens.empty() || tokens.back().kind != kind || kind == Token::Colon)
            tokens.push_back({kind, {}});
        tokens.back().text += c;
    };
    for (qsizetype i = 0; i < text.size(); ++i) {
        int units = 1;
        const char32_t code = codePointAt(text, i, units);
        const QChar c = text.at(i);
        if (QChar::isDigit(code)) {
            extend(Token::Number, QChar(u'0' + QChar::digitValue(code)));
            i += units - 1;
        } else if (QChar::isLetter(code) || QChar::isMark(code)) {
            for (int u = 0; u < units; ++u)
                extend(Token::Word, text.at(i + u));
            i += units - 1;
        } else if (c == QLatin1Char(':')) {
            extend(Token::Colon, c);
        } else if (isDateSeparator(c, localeSeparator)) {
            extend(Token::Separator, c);
        } else {
            return std::nullopt;
        }
    }
    for (Token& t : tokens) {
        if (t.kind == Token::Number)
            t.value = t.text.size() <= 4 ? t.text.toInt() : -1;   // no part of a date has more
        if (t.kind == Token::Separator && !isSingleSeparator(t.text))
            return std::nullopt;
    }
    return tokens;
}

// Takes a time "h:mm" or "h:mm:ss" off the end of the tokens; false when a colon is there
// but the time is not well formed or not at the end after a blank (or ISO's "T").
bool takeTime(std::vector<Token>& tokens, QTime& time)
{
    int colon = -1;
    for (int i = 0; i < int(tokens.size()); ++i) {
        if (tokens[i].kind == Token::Colon) {
            colon = i;
            break;
        }
    }
    if (colon < 0)
        return true;
    auto numberAt = [&tokens](int i, int minDigits) {
        return i >= 0 && i < int(tokens.size()) && tokens[i].kind == Token::Number
            && tokens[i].text.size() >= minDigits && tokens[i].text.size() <= 2;
    };
    if (!numberAt(colon - 1, 1) || !numberAt(colon + 1, 2))
        return false;
    int end = colon + 2;
    int seconds = 0;
    if (end < int(tokens.size()) && tokens[end].kind == Token::Colon) {
        if (!numberAt(end + 1, 2))
            return false;
        seconds = tokens[end + 1].value;
        end += 2;
    }
    if (end < int(tokens.size()) && !(end + 1 == int(tokens.size()) && isBlank(tokens[end].text)))
        return false;
    const int hourAt = colon - 1;
    const Token* before = hourAt > 0 ? &tokens[hourAt - 1] : nullptr;
    const bool isoT = before && before->kind == Token::Word && before->text.compare(u"T", Qt::CaseInsensitive) == 0;
    // The time follows a blank, which may come after the date's closing mark ("1925. 09:30").
    const bool afterBlank = before && before->kind == Token::Separator && before->text.back().isSpace();
    if (!before || !(isoT || afterBlank))
        return false;
    time = QTime(tokens[hourAt].value, tokens[colon + 1].value, seconds);
    if (!time.isValid())
        return false;
    tokens.resize(hourAt - 1);
    return !tokens.empty();
}

// Two-digit years: 00-29 are this century's, 30-99 the last's.
int fullYear(const Token& t)
{
    const int digits = t.text.size();
    if (digits <= 2)
        return t.value < 30 ? 2000 + t.value : 1900 + t.value;
    return digits == 4 ? t.value : -1;
}

} // namespace

QLocale locale()
{
    return QLocale();
}

QString shortDatePattern()
{
    return locale().dateFormat(QLocale::ShortFormat);
}

QString dateSeparator()
{
    for (QChar c : shortDatePattern()) {
        if (!c.isLetter() && c != QLatin1Char('\'') && !isInvisibleMark(c))
            return c.isSpace() ? QStringLiteral("/") : QString(c);   // "d MMM yyyy" has no mark to type
    }
    return QStringLiteral("/");
}

bool dayFirst()
{
    // The first of the day and the month, passing over a year that comes before both.
    bool quoted = false;
    for (QChar c : shortDatePattern()) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && (c == QLatin1Char('d') || c == QLatin1Char('M')))
            return c == QLatin1Char('d');
    }
    return true;
}

QString displayDatePattern()
{
    QString pattern = shortDatePattern();
    if (pattern.isEmpty())
        pattern = QStringLiteral("dd/MM/yyyy");
    QString out;
    bool quoted = false;
    for (int i = 0; i < pattern.size();) {
        const QChar c = pattern.at(i);
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        if (!quoted && c == QLatin1Char('y')) {
            int end = i;
            while (end < pattern.size() && pattern.at(end) == QLatin1Char('y'))
                ++end;
            out += end - i < 4 ? QStringLiteral("yyyy") : pattern.mid(i, end - i);
            i = end;
            continue;
        }
        out += c;
        ++i;
    }
    return out;
}

QString formatShortDate(const QDate& date)
{
    if (!date.isValid())
        return {};
    return locale().toString(date, displayDatePattern());
}

QString formatDateValue(const QVariant& value)
{
    if (!value.isValid() || value.isNull())
        return {};
    if (value.typeId() == QMetaType::QDate)
        return formatShortDate(value.toDate());
    const QDateTime dateTime = value.toDateTime();
    if (!dateTime.isValid())
        return value.toString();   // not a date: shown as it is rather than lost
    // The stored date and time are the wall-clock ones; no time zone is applied.
    QString text = formatShortDate(dateTime.date());
    const QTime time = dateTime.time();
    if (time != QTime(0, 0))
        text += QLatin1Char(' ') + time.toString(u"hh:mm:ss");
    return text;
}

std::optional<QDateTime> parseDate(const QString& text, const QDate& today)
{
    auto tokens = tokenize(withoutDayName(text.trimmed()));
    if (!tokens || tokens->empty())
        return std::nullopt;

    QTime time(0, 0);
    if (!takeTime(*tokens, time))
        return std::nullopt;

    // A date may end with its pattern's mark ("2026. 04. 01.") but not begin with one.
    if (tokens->front().kind == Token::Separator && !isBlank(tokens->front().text))
        return std::nullopt;
    if (tokens->back().kind == Token::Separator) {
        const QString trailing = withoutInvisibleMarks(tokens->back().text).trimmed();
        if (!trailing.isEmpty() && trailing != QLatin1String("."))
            return std::nullopt;
    }

    std::optional<QStringList> literals;
    std::vector<Token> numbers;
    int month = 0;
    for (const Token& t : *tokens) {
        if (t.kind == Token::Number) {
            numbers.push_back(t);
        } else if (t.kind == Token::Word) {
            if (!literals)
                literals = literalWords(shortDatePattern()) + literalWords(locale().dateFormat(QLocale::LongFormat));
            if (literals->contains(t.text.toCaseFolded()))
                continue;
            const int named = monthFromWord(t.text);
            if (named == 0 || month != 0)
                return std::nullopt;
            month = named;
        } else if (t.kind == Token::Colon) {
            return std::nullopt;
        }
    }

    auto shortPart = [](const Token& t) { return t.text.size() <= 2; };
    const auto thisYear = [&today] { return (today.isValid() ? today : QDate::currentDate()).year(); };
    int year = -1;
    int day = -1;
    const size_t count = numbers.size();
    if (month != 0) {
        if (count == 1 && shortPart(numbers[0])) {
            day = numbers[0].value;
            year = thisYear();
        } else if (count == 2) {
            // The longer number is the year; with two short ones the year comes last.
            const bool yearFirst = !shortPart(numbers[0]) && shortPart(numbers[1]);
            const Token& d = numbers[yearFirst ? 1 : 0];
            if (!shortPart(d))
                return std::nullopt;
            day = d.value;
            year = fullYear(numbers[yearFirst ? 0 : 1]);
        }
    } else if (count == 3 && numbers[0].text.size() == 4) {
        if (!shortPart(numbers[1]) || !shortPart(numbers[2]))
            return std::nullopt;
        year = numbers[0].value;
        month = numbers[1].value;
        day = numbers[2].value;
    } else if (count == 2 || count == 3) {
        if (!shortPart(numbers[0]) || !shortPart(numbers[1]))
            return std::nullopt;
        day = numbers[dayFirst() ? 0 : 1].value;
        month = numbers[dayFirst() ? 1 : 0].value;
        year = count == 3 ? fullYear(numbers[2]) : thisYear();
    }

    const QDate date(year, month, day);
    if (year < 1 || !date.isValid())
        return std::nullopt;
    return QDateTime(date, time, Qt::UTC);
}

// The most digits the first group of a grouped number has as this locale writes it: three
// for most, four in Polish ("1234 567"), five in Ewe ("12345,678").
static int leadingGroupDigits(const QLocale& loc)
{
    int most = 3;
    for (const qlonglong sample : {1234567LL, 12345678LL, 123456789LL, 1234567890123LL}) {
        const QString shown = loc.toString(sample);
        int digits = 0;
        for (qsizetype i = 0; i < shown.size();) {
            int units = 1;
            if (!QChar::isDigit(codePointAt(shown, i, units)))
                break;
            ++digits;
            i += units;
        }
        most = std::max(most, digits < int(QString::number(sample).size()) ? digits : 0);
    }
    return most;
}

// Digits alone, with at most one decimal point of the locale and a leading minus: what
// nearly every amount and number in a file looks like, read without the locale's symbols.
static std::optional<double> plainNumber(const QString& text, QChar decimalPoint)
{
    QByteArray ascii;
    ascii.reserve(text.size());
    bool point = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (c >= u'0' && c <= u'9')
            ascii += char(c.unicode());
        else if (c == u'-' && i == 0 && text.size() > 1)
            ascii += '-';
        else if (c == decimalPoint && !point && i > 0 && i + 1 < text.size()) {
            point = true;
            ascii += '.';
        } else {
            return std::nullopt;
        }
    }
    bool ok = false;
    const double value = ascii.toDouble(&ok);
    return ok && std::isfinite(value) ? std::optional<double>(value + 0.0) : std::nullopt;
}

std::optional<double> parseNumber(const QString& text)
{
    const QLocale loc = locale();
    const QString decimal = loc.decimalPoint();
    if (decimal.size() == 1 && !text.isEmpty()) {
        if (const auto plain = plainNumber(text, decimal.at(0)))
            return plain;
    }
    QString s = withoutInvisibleMarks(text).trimmed();

    bool negative = false;
    bool haveSign = false;
    if (s.size() >= 2 && s.startsWith(QLatin1Char('(')) && s.endsWith(QLatin1Char(')'))) {
        negative = true;
        haveSign = true;   // a sign inside the parentheses would be a double negative
        s = s.mid(1, s.size() - 2).trimmed();
    }

    const QStringList minusSigns{QStringLiteral("-"), QString(QChar(0x2212)), withoutInvisibleMarks(loc.negativeSign())};
    const QStringList plusSigns{QStringLiteral("+"), withoutInvisibleMarks(loc.positiveSign())};
    auto takeSign = [&]() {
        if (haveSign)
            return false;
        for (const QString& sign : minusSigns + plusSigns) {
            if (!sign.isEmpty() && s.startsWith(sign)) {
                negative = minusSigns.contains(sign);
                haveSign = true;
                s = s.mid(sign.size()).trimmed();
                return true;
            }
        }
        return false;
    };

    QStringList symbols;
    for (auto form : {QLocale::CurrencySymbol, QLocale::CurrencyIsoCode}) {
        const QString symbol = withoutInvisibleMarks(loc.currencySymbol(form)).trimmed();
        if (!symbol.isEmpty())
            symbols << symbol;
    }
    bool haveSymbol = false;
    auto takeSymbol = [&](bool atStart) {
        if (haveSymbol)
            return false;
        for (const QString& symbol : symbols) {
            const bool found = atStart ? s.startsWith(symbol, Qt::CaseInsensitive) : s.endsWith(symbol, Qt::CaseInsensitive);
            if (found) {
                s = (atStart ? s.mid(symbol.size()) : s.left(s.size() - symbol.size())).trimmed();
                haveSymbol = true;
                return true;
            }
        }
        return false;
    };

    // "-£12.50", "£-12.50", "12,50 €", "-12,50 €"
    takeSign();
    if (takeSymbol(true))
        takeSign();
    takeSymbol(false);

    const QString point = loc.decimalPoint();
    const QString group = loc.groupSeparator();
    const bool blankGroups = group.size() == 1 && group.at(0).isSpace();
    QString ascii;
    std::vector<int> groups;   // digits of each group of the integer part
    int run = 0;
    bool inFraction = false;
    bool anyDigit = false;
    for (int i = 0; i < s.size(); ++i) {
        const QChar c = s.at(i);
        int units = 1;
        const char32_t code = codePointAt(s, i, units);
        if (QChar::isDigit(code)) {
            ascii += QChar(u'0' + QChar::digitValue(code));
            ++run;
            anyDigit = true;
            i += units - 1;
        } else if (!inFraction && QStringView(s).mid(i).startsWith(point)) {
            groups.push_back(run);
            run = 0;
            inFraction = true;
            ascii += QLatin1Char('.');
            i += point.size() - 1;
        } else if (!inFraction && (QStringView(s).mid(i).startsWith(group) || (blankGroups && c.isSpace()))) {
            const int next = i + (c.isSpace() ? 1 : int(group.size()));
            int nextUnits = 1;
            if (run == 0 || next >= s.size() || !QChar::isDigit(codePointAt(s, next, nextUnits)))
                return std::nullopt;
            groups.push_back(run);
            run = 0;
            i = next - 1;
        } else {
            return std::nullopt;
        }
    }
    if (!inFraction)
        groups.push_back(run);
    if (!anyDigit)
        return std::nullopt;

    // Grouped digits must be grouped as numbers are written: "1,234,567" (or "12,34,567"),
    // never "1,5", which in this locale is no number and would otherwise be read as 15.
    // Some locales write a million with a first group of four ("1234 567" in Polish):
    // what the program shows must read back.
    if (groups.size() > 1) {
        if (groups.front() > leadingGroupDigits(loc) || groups.back() != 3)
            return std::nullopt;
        for (size_t g = 1; g + 1 < groups.size(); ++g) {
            if (groups[g] != 2 && groups[g] != 3)
                return std::nullopt;
        }
    }

    if (ascii.startsWith(QLatin1Char('.')))
        ascii.prepend(QLatin1Char('0'));
    if (ascii.endsWith(QLatin1Char('.')))
        ascii.append(QLatin1Char('0'));
    bool ok = false;
    const double value = QLocale::c().toDouble(ascii, &ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return (negative ? -value : value) + 0.0;
}

QString formatCurrency(double amount)
{
    const QLocale loc = locale();
    return loc.toCurrencyString(roundHalfAwayFromZero(amount, 2), loc.currencySymbol(), 2);
}

QString formatStandard(double amount)
{
    QLocale loc = locale();
    loc.setNumberOptions(loc.numberOptions() & ~QLocale::OmitGroupSeparator);
    return loc.toString(roundHalfAwayFromZero(amount, 2), 'f', 2);
}

} // namespace zelk::regional
