// Holds a register exclusively, as another copy of the program could, until its standard
// input closes. Prints "locked" once it holds the lock.
#include "engine/database.h"
#include "engine/engine_error.h"

#include <QCoreApplication>

#include <cstdio>
#include <iostream>
#include <string>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s DATABASE\n", argv[0]);
        return 2;
    }
    try {
        auto db = zelk::Database::open(QString::fromLocal8Bit(argv[1]), zelk::Database::Mode::Exclusive);
        std::printf("locked\n");
        std::fflush(stdout);
        std::string line;
        while (std::getline(std::cin, line)) {
        }
    } catch (const zelk::EngineError& e) {
        std::printf("error %d\n", e.number());
        return 1;
    }
    return 0;
}
