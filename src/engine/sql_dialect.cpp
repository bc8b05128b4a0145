#include "sql_dialect.h"

#include "engine_error.h"
#include "stored_text.h"

#include <QDate>
#include <QRegularExpression>
#include <QTime>
#include <vector>

namespace zelk::sql {

namespace {

enum class Tok { Space, Word, Name, String, Number, Date, Symbol };

struct Token {
    Tok kind;
    QString text;   // Word/Symbol/Number/Space: as written; Name/String: the inside, unescaped
};

EngineError syntaxError(const QString& statement, const QString& what)
{
    return EngineError(err::SyntaxError,
                       QStringLiteral("Syntax error (%1) in query expression '%2'.").arg(what, statement));
}

bool isWordStart(QChar c) { return c.isLetter() || c == u'_'; }
bool isWordChar(QChar c) { return c.isLetterOrNumber() || c == u'_'; }

// Reads a quoted run starting at `i` (on the opening quote); a doubled closing quote stands
// for one quote character. Returns the inside and leaves `i` after the closing quote.
QString readQuoted(const QString& s, qsizetype& i, QChar close, const QString& statement, const char* what)
{
    QString inside;
    ++i;
    while (true) {
        if (i >= s.size())
            throw syntaxError(statement, QString::fromLatin1(what));
        if (s[i] == close) {
            if (i + 1 < s.size() && s[i + 1] == close && close != u']' && close != u'#') {
                inside += close;
                i += 2;
                continue;
            }
            ++i;
            return inside;
        }
        inside += s[i++];
    }
}

std::vector<Token> tokenize(const QString& s)
{
    std::vector<Token> out;
    qsizetype i = 0;
    while (i < s.size()) {
        const QChar c = s[i];
        if (c.isSpace()) {
            qsizetype j = i;
            while (j < s.size() && s[j].isSpace())
                ++j;
            out.push_back({Tok::Space, QStringLiteral(" ")});
            i = j;
        } else if (c == u'"' || c == u'\'') {
            out.push_back({Tok::String, readQuoted(s, i, c, s, "missing closing quote")});
        } else if (c == u'[') {
            out.push_back({Tok::Name, readQuoted(s, i, u']', s, "missing closing bracket")});
        } else if (c == u'#') {
            out.push_back({Tok::Date, readQuoted(s, i, u'#', s, "missing closing #")});
        } else if (c.isDigit() || (c == u'.' && i + 1 < s.size() && s[i + 1].isDigit())) {
            qsizetype j = i;
            while (j < s.size() && (s[j].isDigit() || s[j] == u'.'))
                ++j;
            if (j < s.size() && (s[j] == u'e' || s[j] == u'E')) {
                qsizetype k = j + 1;
                if (k < s.size() && (s[k] == u'+' || s[k] == u'-'))
                    ++k;
                if (k < s.size() && s[k].isDigit()) {
                    while (k < s.size() && s[k].isDigit())
                        ++k;
                    j = k;
                }
            }
            if (j < s.size() && isWordStart(s[j]))
                throw syntaxError(s, QStringLiteral("missing operator"));
            out.push_back({Tok::Number, s.mid(i, j - i)});
            i = j;
        } else if (isWordStart(c)) {
            qsizetype j = i;
            while (j < s.size() && isWordChar(s[j]))
                ++j;
            out.push_back({Tok::Word, s.mid(i, j - i)});
            i = j;
        } else {
            static const QStringList twoChar{QStringLiteral("<="), QStringLiteral(">="),
                                             QStringLiteral("<>"), QStringLiteral("!=")};
            const QString two = s.mid(i, 2);
            if (twoChar.contains(two)) {
                out.push_back({Tok::Symbol, two});
                i += 2;
                continue;
            }
            static const QString oneChar = QStringLiteral("=<>+-*/&(),.;");
            if (!oneChar.contains(c))
                throw syntaxError(s, QStringLiteral("unexpected character '%1'").arg(c));
            out.push_back({Tok::Symbol, QString(c)});
            ++i;
        }
    }
    return out;
}

bool isWord(const Token& t, const char* word)
{
    return t.kind == Tok::Word && t.text.compare(QLatin1String(word), Qt::CaseInsensitive) == 0;
}
bool isSymbol(const Token& t, const char* sym)
{
    return t.kind == Tok::Symbol && t.text == QLatin1String(sym);
}

QString sqliteName(const QString& name)
{
    QString n = name;
    n.replace(u'"', QStringLiteral("\"\""));
    return u'"' + n + u'"';
}

// A string value as SQLite text. A NUL character would end the statement where SQLite
// reads it, so it is joined in as char(0).
QString sqliteString(const QString& value)
{
    QString v = value;
    v.replace(u'\'', QStringLiteral("''"));
    if (!v.contains(QChar(0)))
        return u'\'' + v + u'\'';
    v.replace(QChar(0), QStringLiteral("' || char(0) || '"));
    return QStringLiteral("('") + v + QStringLiteral("')");
}

// Drops a trailing ";" and refuses anything after one.
void stripStatementEnd(std::vector<Token>& toks, const QString& statement)
{
    for (size_t i = 0; i < toks.size(); ++i) {
        if (!isSymbol(toks[i], ";"))
            continue;
        for (size_t j = i + 1; j < toks.size(); ++j)
            if (toks[j].kind != Tok::Space)
                throw EngineError(err::CharactersAfterEnd,
                                  QStringLiteral("Characters found after end of SQL statement: '%1'.").arg(statement));
        toks.resize(i);
        return;
    }
}

void checkBalance(const std::vector<Token>& toks, const QString& statement)
{
    int depth = 0;
    for (const auto& t : toks) {
        if (isSymbol(t, "("))
            ++depth;
        else if (isSymbol(t, ")") && --depth < 0)
            break;
    }
    if (depth != 0)
        throw syntaxError(statement, QStringLiteral("unbalanced parentheses"));
}

// Renders tokens as SQLite text. Inside ORDER BY lists each term gets the collation.
QString render(const std::vector<Token>& toks, const QString& statement)
{
    const QString collate = QStringLiteral(" COLLATE ") + QLatin1String(kCollation);
    QString out;
    int depth = 0;
    int orderDepth = -1;      // the depth of an open ORDER BY list, -1 when none
    bool termHasContent = false;

    auto endTerm = [&](QString& text) {
        if (!termHasContent)
            return;
        // Put the collation before a trailing ASC/DESC of the term.
        static const QRegularExpression direction(QStringLiteral("\\s+(ASC|DESC)\\s*$"),
                                                  QRegularExpression::CaseInsensitiveOption);
        auto m = direction.match(text);
        if (m.hasMatch())
            text.insert(m.capturedStart(), collate);
        else {
            while (text.endsWith(u' '))
                text.chop(1);
            text += collate;
        }
        termHasContent = false;
    };

    QString term;   // the ORDER BY term being built
    auto put = [&](const QString& piece) {
        if (orderDepth >= 0)
            term += piece;
        else
            out += piece;
    };

    for (size_t i = 0; i < toks.size(); ++i) {
        const Token& t = toks[i];
        if (orderDepth >= 0 && depth == orderDepth && (isSymbol(t, ",") || isSymbol(t, ")"))) {
            endTerm(term);
            out += term;
            term.clear();
            if (isSymbol(t, ")")) {
                orderDepth = -1;
            } else {
                out += QStringLiteral(", ");
                continue;
            }
        }
        if (isWord(t, "ORDER")) {
            size_t j = i + 1;
            while (j < toks.size() && toks[j].kind == Tok::Space)
                ++j;
            if (j < toks.size() && isWord(toks[j], "BY")) {
                if (orderDepth >= 0) {
                    endTerm(term);
                    out += term;
                    term.clear();
                }
                out += QStringLiteral("ORDER BY ");
                orderDepth = depth;
                termHasContent = false;
                i = j;
                continue;
            }
        }
        switch (t.kind) {
        case Tok::Space:
            put(QStringLiteral(" "));
            continue;
        case Tok::String:
            put(sqliteString(t.text) + collate);
            break;
        case Tok::Name:
            if (t.text.isEmpty())
                throw syntaxError(statement, QStringLiteral("empty name"));
            put(sqliteName(t.text));
            break;
        case Tok::Date: {
            const auto date = dateLiteral(t.text);
            if (!date)
                throw syntaxError(statement, QStringLiteral("date #%1#").arg(t.text));
            put(sqliteString(*date));
            break;
        }
        case Tok::Number:
            put(t.text);
            break;
        case Tok::Word:
            if (isWord(t, "True"))
                put(QStringLiteral("1"));
            else if (isWord(t, "False"))
                put(QStringLiteral("0"));
            else if (isWord(t, "Mod"))
                put(QStringLiteral("%"));
            else
                put(t.text);
            break;
        case Tok::Symbol:
            if (t.text == u'(')
                ++depth;
            else if (t.text == u')')
                --depth;
            if (t.text == u'&')
                put(QStringLiteral("||"));
            else if (t.text == u'-' || t.text == u'/')
                put(t.text + u' ');   // "--" and "/*" are no comments here: a minus is a minus
            else if (t.text == QLatin1String("!="))
                put(QStringLiteral("<>"));
            else
                put(t.text);
            break;
        }
        if (orderDepth >= 0)
            termHasContent = true;
    }
    if (orderDepth >= 0) {
        endTerm(term);
        out += term;
    }
    return out.trimmed();
}

std::vector<Token> prepare(const QString& statement)
{
    if (!storableText(statement))
        throw EngineError(err::TypeMismatch, QStringLiteral("The query holds a character that cannot be stored as text."));
    auto toks = tokenize(statement);
    stripStatementEnd(toks, statement);
    checkBalance(toks, statement);
    return toks;
}

int toYear(const QString& digits)
{
    const int y = digits.toInt();
    if (digits.size() <= 2)
        return y < 30 ? 2000 + y : 1900 + y;
    return y;
}

} // namespace

std::optional<QString> dateLiteral(const QString& inside)
{
    static const QRegularExpression form(
        QStringLiteral("^\\s*(\\d{1,4})[/-](\\d{1,2})[/-](\\d{1,4})(?:\\s+(\\d{1,2}):(\\d{2})(?::(\\d{2}))?)?\\s*$"));
    const auto m = form.match(inside);
    if (!m.hasMatch())
        return std::nullopt;
    QDate date;
    if (m.captured(1).size() == 4)      // year first: 2026-04-01
        date = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    else if (m.captured(3).size() == 2 || m.captured(3).size() == 4)
        date = QDate(toYear(m.captured(3)), m.captured(1).toInt(), m.captured(2).toInt());
    if (!date.isValid())
        return std::nullopt;
    QString result = date.toString(QStringLiteral("yyyy-MM-dd"));
    if (m.capturedLength(4) > 0) {
        const QTime time(m.captured(4).toInt(), m.captured(5).toInt(), m.captured(6).toInt());
        if (!time.isValid())
            return std::nullopt;
        if (time != QTime(0, 0))
            result += u' ' + time.toString(QStringLiteral("HH:mm:ss"));
    }
    return result;
}

QString translate(const QString& statement)
{
    return render(prepare(statement), statement);
}

QString translateCriterion(const QString& criterion)
{
    if (criterion.trimmed().isEmpty())
        throw syntaxError(criterion, QStringLiteral("empty criterion"));
    return render(prepare(criterion), criterion);
}

std::optional<SimpleSelect> simpleSelect(const QString& statement)
{
    auto toks = prepare(statement);
    std::vector<Token> t;
    std::vector<size_t> at;   // position in toks of each non-space token
    for (size_t i = 0; i < toks.size(); ++i)
        if (toks[i].kind != Tok::Space) {
            t.push_back(toks[i]);
            at.push_back(i);
        }
    size_t i = 0;
    if (t.empty() || !isWord(t[i++], "SELECT"))
        return std::nullopt;
    SimpleSelect result;
    auto isName = [](const Token& tok) { return tok.kind == Tok::Word || tok.kind == Tok::Name; };
    if (i < t.size() && isSymbol(t[i], "*")) {
        ++i;
    } else {
        while (i < t.size() && isName(t[i]) && !isWord(t[i], "FROM") && !isWord(t[i], "DISTINCT")
               && !isWord(t[i], "TOP") && !isWord(t[i], "DISTINCTROW")) {
            result.columns << t[i++].text;
            if (i < t.size() && isSymbol(t[i], ","))
                ++i;
            else
                break;
        }
        if (result.columns.isEmpty())
            return std::nullopt;
    }
    if (i >= t.size() || !isWord(t[i++], "FROM"))
        return std::nullopt;
    if (i >= t.size() || !isName(t[i]))
        return std::nullopt;
    result.table = t[i++].text;
    if (i < t.size() && !isWord(t[i], "WHERE") && !isWord(t[i], "ORDER"))
        return std::nullopt;
    // Anything that makes rows other than the table's own is not a simple select.
    int depth = 0;
    for (size_t k = i; k < t.size(); ++k) {
        for (const char* w : {"GROUP", "HAVING", "UNION", "JOIN", "INTERSECT", "EXCEPT", "LIMIT"})
            if (isWord(t[k], w))
                return std::nullopt;
        if (isSymbol(t[k], "("))
            ++depth;
        else if (isSymbol(t[k], ")"))
            --depth;
        else if (depth == 0 && isWord(t[k], "ORDER") && k + 1 < t.size() && isWord(t[k + 1], "BY"))
            result.ordered = true;
    }
    if (i < t.size()) {
        std::vector<Token> tail(toks.begin() + static_cast<std::ptrdiff_t>(at[i]), toks.end());
        result.tail = render(tail, statement);
    }
    return result;
}

QString quoteText(const QString& text)
{
    QString t = text;
    t.replace(u'"', QStringLiteral("\"\""));
    return u'"' + t + u'"';
}

QString likeLiteral(const QString& text)
{
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        if (c == u'*' || c == u'?' || c == u'#' || c == u'[')
            out += u'[' + QString(c) + u']';
        else
            out += c;
    }
    return out;
}

} // namespace zelk::sql
