#pragma once
// A synthetic membership register for the benchmark: realistic British and international
// members, made the same on every machine from a fixed seed, and written through the
// engine's record sets exactly as the program writes them.
#include <QString>
#include <QVariant>
#include <cstdint>
#include <utility>
#include <vector>

namespace zelk {
class Database;
}

namespace zelk::bench {

// splitmix64: tiny, fast and fully specified, so the register does not depend on the
// standard library's distributions (which differ between implementations).
class Random {
public:
    explicit Random(std::uint64_t seed) : m_state(seed) {}
    std::uint64_t next();
    // 0 <= result < n (n > 0); multiply-shift, so no modulo bias worth mentioning.
    int below(int n);
    int between(int low, int high) { return low + below(high - low + 1); }
    bool percent(int p) { return below(100) < p; }
    // An index that favours the front of a list: common names come first in ours.
    int skewed(int n);

private:
    std::uint64_t m_state;
};

// One member: field name and value, as setField takes them. A field that is absent stays
// Null; an empty QString is stored as "".
using Member = std::vector<std::pair<QString, QVariant>>;

class RegisterGenerator {
public:
    static constexpr std::uint64_t kSeed = 0x5A454C4B2002ULL;
    explicit RegisterGenerator(std::uint64_t seed = kSeed) : m_random(seed) {}

    // The i-th of `count` members (i from 0), numbered from 2: number 1 is the
    // placeholder every new register has. Members join in number order over 30 years.
    Member member(int i, int count);

    static const QStringList& memberTypes();
    static const QStringList& lookups();

private:
    Random m_random;
};

// Adds `count` members to the open register through a record set over Zelk, committing
// every `batch` members; fills Members and Lookups and sets Settings.LastNumber to the
// last number given out.
void fillRegister(Database& db, int count, int batch = 5000);

// Builds a new register at `path` (which must not exist) holding `count` generated
// members besides the placeholder.
void generateRegister(const QString& path, int count);

} // namespace zelk::bench
