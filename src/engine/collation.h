#pragma once
// How the program orders and compares text: as the user's language does (Émile beside
// Emile, Müller among the Mu...), ignoring the case of every letter but not its accents.
#include <QString>
#include <memory>

namespace zelk {

class Collator {
public:
    // For the language of the default QLocale() at the time of the call.
    Collator();
    ~Collator();
    Collator(const Collator&) = delete;
    Collator& operator=(const Collator&) = delete;

    int compare(const QString& a, const QString& b) const;
    int compareUtf8(const char* a, int lengthA, const char* b, int lengthB) const;
    bool lessThan(const QString& a, const QString& b) const { return compare(a, b) < 0; }

private:
    struct Impl;
    std::unique_ptr<Impl> d;
};

// Does `value` match the like `pattern`? "*" stands for any run of characters, "?" for
// one character, "#" for one digit, "[abc]" for one of a set ("[a-z]" a range, "[!abc]"
// any character outside it); a "[" with no closing "]" stands for itself. Letter case is
// ignored for every letter.
bool likeMatches(const QString& value, const QString& pattern);
// The same on UTF-8 texts, fast for plain ASCII.
bool likeMatchesUtf8(const char* value, int valueLength, const char* pattern, int patternLength);

} // namespace zelk
