#include "sqlite_functions.h"

#include "collation.h"
#include "sql_dialect.h"

#include <sqlite3.h>

#include <QString>

namespace zelk {

namespace {

int collate(void* collator, int la, const void* a, int lb, const void* b)
{
    return static_cast<Collator*>(collator)->compareUtf8(static_cast<const char*>(a), la,
                                                        static_cast<const char*>(b), lb);
}

void destroyCollator(void* collator)
{
    delete static_cast<Collator*>(collator);
}

// like(pattern, value [, escape]): SQLite passes the pattern first.
void like(sqlite3_context* ctx, int argc, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL || sqlite3_value_type(argv[1]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    (void)argc;
    const char* pattern = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const int pn = sqlite3_value_bytes(argv[0]);
    const char* value = reinterpret_cast<const char*>(sqlite3_value_text(argv[1]));
    const int vn = sqlite3_value_bytes(argv[1]);
    sqlite3_result_int(ctx, likeMatchesUtf8(value, vn, pattern, pn) ? 1 : 0);
}

template <QString (*transform)(const QString&)>
void textFunction(sqlite3_context* ctx, int, sqlite3_value** argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL)
        return sqlite3_result_null(ctx);
    const char* text = reinterpret_cast<const char*>(sqlite3_value_text(argv[0]));
    const QByteArray out = transform(QString::fromUtf8(text, sqlite3_value_bytes(argv[0]))).toUtf8();
    sqlite3_result_text(ctx, out.constData(), int(out.size()), SQLITE_TRANSIENT);
}

QString upper(const QString& s) { return s.toUpper(); }
QString lower(const QString& s) { return s.toLower(); }
QString trimLeft(const QString& s)
{
    qsizetype i = 0;
    while (i < s.size() && s[i] == u' ')
        ++i;
    return s.mid(i);
}
QString trimRight(const QString& s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1] == u' ')
        --n;
    return s.left(n);
}

} // namespace

void registerSqlFunctions(sqlite3* db)
{
    sqlite3_create_collation_v2(db, sql::kCollation, SQLITE_UTF8, new Collator, collate, destroyCollator);
    const int flags = SQLITE_UTF8 | SQLITE_DETERMINISTIC;
    sqlite3_create_function(db, "like", 2, flags, nullptr, like, nullptr, nullptr);
    sqlite3_create_function(db, "like", 3, flags, nullptr, like, nullptr, nullptr);
    sqlite3_create_function(db, "UCase", 1, flags, nullptr, textFunction<upper>, nullptr, nullptr);
    sqlite3_create_function(db, "LCase", 1, flags, nullptr, textFunction<lower>, nullptr, nullptr);
    sqlite3_create_function(db, "TrimLeft", 1, flags, nullptr, textFunction<trimLeft>, nullptr, nullptr);
    sqlite3_create_function(db, "TrimRight", 1, flags, nullptr, textFunction<trimRight>, nullptr, nullptr);
}

} // namespace zelk
