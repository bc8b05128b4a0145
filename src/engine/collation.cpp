#include "collation.h"

#include "regional.h"
#include "stored_text.h"

#include <unicode/ucol.h>
#include <unicode/uloc.h>

#include <QByteArray>
#include <QList>

namespace zelk {

struct Collator::Impl {
    UCollator* collator = nullptr;
    ~Impl()
    {
        if (collator)
            ucol_close(collator);
    }
};

Collator::Collator()
    : d(std::make_unique<Impl>())
{
    const QLocale loc = regional::locale();
    QByteArray name = loc.language() == QLocale::C ? QByteArray("root") : loc.name().toLatin1();
    UErrorCode status = U_ZERO_ERROR;
    d->collator = ucol_open(name.constData(), &status);
    if (U_FAILURE(status)) {
        status = U_ZERO_ERROR;
        d->collator = ucol_open("root", &status);
    }
    if (d->collator) {
        // Secondary strength: letters and accents count, letter case does not.
        ucol_setStrength(d->collator, UCOL_SECONDARY);
    }
}

Collator::~Collator() = default;

int Collator::compare(const QString& a, const QString& b) const
{
    if (!d->collator)
        return QString::compare(a, b, Qt::CaseInsensitive);
    const auto r = ucol_strcoll(d->collator, reinterpret_cast<const UChar*>(a.utf16()), int32_t(a.size()),
                                reinterpret_cast<const UChar*>(b.utf16()), int32_t(b.size()));
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

int Collator::compareUtf8(const char* a, int lengthA, const char* b, int lengthB) const
{
    if (!d->collator)
        return compare(fromStoredText(a, lengthA), fromStoredText(b, lengthB));
    UErrorCode status = U_ZERO_ERROR;
    const auto r = ucol_strcollUTF8(d->collator, a, lengthA, b, lengthB, &status);
    if (U_FAILURE(status))
        return compare(fromStoredText(a, lengthA), fromStoredText(b, lengthB));
    return r == UCOL_LESS ? -1 : r == UCOL_GREATER ? 1 : 0;
}

namespace {

// Pattern matching over any sequence of characters, folded to one case beforehand.
template <typename Ch>
bool matchSet(const Ch* p, size_t pn, size_t& pi, Ch c, bool& ok)
{
    // p[pi] is just after "[". Finds the closing "]"; returns false when there is none.
    size_t j = pi;
    bool negate = false;
    if (j < pn && p[j] == Ch('!')) {
        negate = true;
        ++j;
    }
    const size_t start = j;
    size_t end = start;
    while (end < pn && !(p[end] == Ch(']') && end > start))
        ++end;
    if (end >= pn)
        return false;
    bool in = false;
    for (size_t k = start; k < end; ++k) {
        if (k + 2 < end && p[k + 1] == Ch('-')) {
            if (c >= p[k] && c <= p[k + 2])
                in = true;
            k += 2;
        } else if (p[k] == c) {
            in = true;
        }
    }
    ok = negate ? !in : in;
    pi = end + 1;
    return true;
}

template <typename Ch>
bool matchOne(const Ch* p, size_t pn, size_t& pi, Ch c)
{
    const Ch pc = p[pi];
    if (pc == Ch('?')) {
        ++pi;
        return true;
    }
    if (pc == Ch('#')) {
        ++pi;
        return c >= Ch('0') && c <= Ch('9');
    }
    if (pc == Ch('[')) {
        size_t after = pi + 1;
        bool ok = false;
        if (matchSet(p, pn, after, c, ok)) {
            pi = after;
            return ok;
        }
    }
    ++pi;
    return pc == c;
}

template <typename Ch>
bool likeMatch(const Ch* s, size_t sn, const Ch* p, size_t pn)
{
    size_t si = 0, pi = 0;
    size_t starP = size_t(-1), starS = 0;
    while (si < sn) {
        if (pi < pn && p[pi] == Ch('*')) {
            starP = ++pi;
            starS = si;
            continue;
        }
        if (pi < pn) {
            size_t next = pi;
            if (matchOne(p, pn, next, s[si])) {
                pi = next;
                ++si;
                continue;
            }
        }
        if (starP == size_t(-1))
            return false;
        pi = starP;
        si = ++starS;
    }
    while (pi < pn && p[pi] == Ch('*'))
        ++pi;
    return pi == pn;
}

bool isAscii(const char* s, int n)
{
    for (int i = 0; i < n; ++i)
        if (static_cast<unsigned char>(s[i]) >= 0x80)
            return false;
    return true;
}

} // namespace

bool likeMatches(const QString& value, const QString& pattern)
{
    const QList<uint> s = value.toCaseFolded().toUcs4();
    const QList<uint> p = pattern.toCaseFolded().toUcs4();
    return likeMatch(s.constData(), size_t(s.size()), p.constData(), size_t(p.size()));
}

bool likeMatchesUtf8(const char* value, int valueLength, const char* pattern, int patternLength)
{
    if (isAscii(value, valueLength) && isAscii(pattern, patternLength)) {
        QByteArray s(value, valueLength), p(pattern, patternLength);
        for (char& c : s)
            if (c >= 'A' && c <= 'Z')
                c = char(c + 32);
        for (char& c : p)
            if (c >= 'A' && c <= 'Z')
                c = char(c + 32);
        return likeMatch(reinterpret_cast<const unsigned char*>(s.constData()), size_t(s.size()),
                         reinterpret_cast<const unsigned char*>(p.constData()), size_t(p.size()));
    }
    return likeMatches(fromStoredText(value, valueLength), fromStoredText(pattern, patternLength));
}

} // namespace zelk
