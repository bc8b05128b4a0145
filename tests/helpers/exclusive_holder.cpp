// Opens a database exclusively with the program's engine, says "locked" on its output and
// keeps the lock until its input is closed, so tests can meet a lock held by another
// process. Exit code 1 and "error <number>" when the open fails.
#include "engine/database.h"
#include "engine/engine_error.h"

#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <database>\n", argv[0]);
        return 2;
    }
    try {
        auto db = zelk::Database::open(QString::fromLocal8Bit(argv[1]), zelk::Database::Mode::Exclusive);
        std::printf("locked\n");
        std::fflush(stdout);
        char buffer[256];
        while (std::fread(buffer, 1, sizeof buffer, stdin) > 0) {
        }
    } catch (const zelk::EngineError& e) {
        std::printf("error %d\n", e.number());
        std::fflush(stdout);
        return 1;
    }
    return 0;
}
