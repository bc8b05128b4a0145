// Kills the register's save path at random moments and checks that nothing is lost or
// damaged: every save, amendment and delete that reported success is on disk with its
// values, the one in flight is there whole or not at all, and the file passes SQLite's
// integrity check.
//
//   zelk-crash-trials [TRIALS] [--keep PATH]
//
// Each trial starts a child process (this program with --child) that adds, amends and
// deletes members as fast as it can on one register, saying on its standard output what
// it is about to store and when the store has returned; the trial kills it with SIGKILL
// after a random wait, then opens the register and compares.
#include "core/app_state.h"
#include "data/create_db.h"
#include "data/field_names.h"
#include "engine/database.h"
#include "engine/engine_error.h"
#include "engine/recordset.h"
#include "entry/member_record.h"

#include <sqlite3.h>

#include <QCoreApplication>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>

#include <csignal>
#include <cstdio>
#include <optional>

using namespace zelk;

namespace {

// What the register holds of the members the trials made: number -> first address line.
using Members = QMap<int, QString>;

// One change: "add", "amend" or "delete", the member's number and the address written.
struct Change {
    QString kind;
    int number = 0;
    QString address;
};

void say(const char* what, const Change& c)
{
    std::printf("%s %s %d %s\n", what, qPrintable(c.kind), c.number, qPrintable(c.address));
    std::fflush(stdout);
}

// The child: the main window's own save path (the counter and a new member in one
// transaction, an amendment of the member on screen) and its delete, one after another
// until it is killed.
int runChild(const QString& path, quint32 seed)
{
    QRandomGenerator random(seed);
    AppState state;
    state.DatabasePath = path;
    state.openRegister(membersInOrder(QStringLiteral("Number")));
    Recordset& members = *state.rsZelk;
    for (int step = 0;; ++step) {
        const int choice = members.recordCount() < 5 ? 0 : random.bounded(3);
        Change c;
        c.address = QStringLiteral("%1 High Street %2").arg(seed).arg(step);
        MemberEntry entry;
        entry.boxes[kAddress1Box] = c.address;
        if (choice == 0) {
            state.reopen(state.rsSettings, query::settingsRow());
            state.rsSettings->moveFirst();
            c.kind = QStringLiteral("add");
            c.number = state.rsSettings->field(field::LastNumber).toInt() + 1;
            entry.boxes[kNumberBox] = QString::number(c.number);
            entry.boxes[kSurnameBox] = QStringLiteral("Member %1").arg(c.number);
            say("begin", c);
            storeMember(state, entry, true, 0);
        } else {
            members.moveFirst();
            const int skip = random.bounded(members.recordCount());
            for (int i = 0; i < skip; ++i)
                members.moveNext();
            c.number = members.field(field::Number).toInt();
            if (c.number == 1)   // the placeholder stays
                continue;
            c.kind = choice == 1 ? QStringLiteral("amend") : QStringLiteral("delete");
            say("begin", c);
            if (choice == 1) {
                entry.boxes[kNumberBox] = QString::number(c.number);
                entry.boxes[kSurnameBox] = members.field(field::Surname).toString();
                storeMember(state, entry, false, members.bookmark());
            } else {
                members.deleteCurrent();
            }
        }
        say("done", c);
    }
}

int lastNumber(const QString& path)
{
    auto db = Database::open(path);
    return db->openRecordset(QStringLiteral("Select * from Settings"))->field(QStringLiteral("LastNumber")).toInt();
}

Members readMembers(const QString& path)
{
    Members out;
    auto db = Database::open(path);
    for (auto rs = db->openRecordset(QStringLiteral("Select * from Zelk")); !rs->eof(); rs->moveNext()) {
        const int number = rs->field(QStringLiteral("Number")).toInt();
        if (out.contains(number))
            out[number] = QStringLiteral("<twice>");
        else
            out.insert(number, rs->field(QStringLiteral("Address1")).toString());
    }
    return out;
}

QString integrity(const QString& path)
{
    sqlite3* db = nullptr;
    QString result = QStringLiteral("cannot open");
    if (sqlite3_open_v2(QFile::encodeName(path).constData(), &db, SQLITE_OPEN_READWRITE, nullptr) == SQLITE_OK) {
        sqlite3_stmt* st = nullptr;
        if (sqlite3_prepare_v2(db, "PRAGMA integrity_check", -1, &st, nullptr) == SQLITE_OK && sqlite3_step(st) == SQLITE_ROW)
            result = QString::fromUtf8(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)));
        sqlite3_finalize(st);
    }
    sqlite3_close(db);
    return result;
}

void apply(Members& members, const Change& c)
{
    if (c.kind == QLatin1String("delete"))
        members.remove(c.number);
    else
        members[c.number] = c.address;
}

std::optional<Change> parseChange(const QStringList& words)
{
    if (words.size() < 3)
        return std::nullopt;
    return Change{words[1], words[2].toInt(), words.mid(3).join(u' ')};
}

struct Totals {
    int trials = 0;
    int confirmed = 0;
    int inFlightStored = 0;
    int inFlightNotStored = 0;
    int failures = 0;
};

// One trial: run the child for `waitMs`, kill it, and compare the register with what the
// child reported. The expected members follow what the register holds afterwards.
bool runTrial(const QString& path, Members& expected, int& counter, int waitMs, quint32 seed, Totals& totals)
{
    QProcess child;
    child.setProcessChannelMode(QProcess::SeparateChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--child"), path, QString::number(seed)});
    if (!child.waitForStarted(5000))
        return false;
    QThread::msleep(waitMs);
    ::kill(pid_t(child.processId()), SIGKILL);
    child.waitForFinished(5000);

    std::optional<Change> inFlight;
    for (const QByteArray& line : child.readAllStandardOutput().split('\n')) {
        const QStringList words = QString::fromUtf8(line).split(u' ', Qt::SkipEmptyParts);
        const auto change = parseChange(words);
        if (!change)
            continue;   // a line cut short by the kill reports nothing
        if (words[0] == QLatin1String("begin")) {
            inFlight = change;
        } else {
            apply(expected, *change);
            if (change->kind == QLatin1String("add"))
                counter = change->number;
            ++totals.confirmed;
            inFlight.reset();
        }
    }

    const QString check = integrity(path);
    const Members actual = readMembers(path);
    const int storedCounter = lastNumber(path);
    bool ok = check == QLatin1String("ok");
    bool inFlightStored = false;
    if (actual != expected) {
        Members after = expected;
        if (inFlight)
            apply(after, *inFlight);
        inFlightStored = inFlight && actual == after;
        ok = ok && inFlightStored;
    }
    // The counter and a new member are stored together or not at all.
    if (inFlightStored && inFlight->kind == QLatin1String("add"))
        counter = inFlight->number;
    ok = ok && storedCounter == counter;
    if (inFlight)
        ++(inFlightStored ? totals.inFlightStored : totals.inFlightNotStored);
    if (!ok) {
        ++totals.failures;
        std::printf("trial %d: integrity \"%s\"; the members or the counter (%d, expected %d) differ from what was "
                    "reported\n",
                    totals.trials + 1, qPrintable(check), storedCounter, counter);
    }
    expected = actual;
    ++totals.trials;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.value(1) == QLatin1String("--child"))
        return runChild(args.value(2), args.value(3).toUInt());

    int trials = 200;
    QString keep;
    for (int i = 1; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--keep") && i + 1 < args.size())
            keep = args[++i];
        else
            trials = args[i].toInt();
    }
    QTemporaryDir dir;
    const QString path = keep.isEmpty() ? dir.filePath(QStringLiteral("zelk2002.mdb")) : keep;
    QFile::remove(path);
    buildNewDatabase(path);

    Members expected = readMembers(path);
    int counter = lastNumber(path);
    Totals totals;
    QRandomGenerator random(20261206);
    for (int t = 0; t < trials; ++t) {
        if (!runTrial(path, expected, counter, 20 + random.bounded(180), random.generate(), totals)) {
            std::printf("the child process could not be started\n");
            return 2;
        }
    }
    std::printf("%d kill -9 trials: %d changes reported stored, all found on disk with their values; "
                "the change in flight at the kill was stored whole %d times and not at all %d times; "
                "%d failures (lost, changed or damaged)\n",
                totals.trials, totals.confirmed, totals.inFlightStored, totals.inFlightNotStored, totals.failures);
    return totals.failures == 0 ? 0 : 1;
}
