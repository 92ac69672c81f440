#include "zam/platform/Wildcard.h"

#include <vector>

#include "zam/platform/Text.h"

namespace zam::platform {

namespace {

// The pattern is first turned into tokens the way Windows prepares a search mask: a '?' becomes a
// "DOS question mark" (one character other than '.', or nothing at a '.' or at the end of the
// name), a '*' before a '.' becomes a "DOS star" (any run that does not swallow the name's last
// '.'), and a '.' before a wildcard or at the end of the pattern becomes a "DOS dot" (a '.' or the
// end of the name). That is what makes "*.*" match every name and "*." only names without an
// extension.
enum class Kind { kLiteral, kStar, kDosStar, kDosQuestion, kDosDot };

struct Token {
    Kind kind;
    char upper = 0;
};

std::vector<Token> Tokenize(std::string_view pattern) {
    std::vector<Token> tokens;
    tokens.reserve(pattern.size());
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        char c = pattern[i];
        char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
        bool last = i + 1 == pattern.size();
        if (c == '?') {
            tokens.push_back({Kind::kDosQuestion});
        } else if (c == '*') {
            tokens.push_back({next == '.' ? Kind::kDosStar : Kind::kStar});
        } else if (c == '.' && (last || next == '?' || next == '*')) {
            tokens.push_back({Kind::kDosDot});
        } else {
            tokens.push_back({Kind::kLiteral, UpperChar(c)});
        }
    }
    return tokens;
}

// Dynamic programming over (token, position) from the back, so that no pattern can make the
// match take exponential time. reach[j] tells whether tokens[i..] match name[j..].
bool Match(const std::vector<Token>& tokens, std::string_view name) {
    const std::size_t n = name.size();
    const std::size_t lastDot = name.rfind('.');
    std::vector<char> next(n + 1, 0), reach(n + 1, 0);
    next[n] = 1;  // no tokens left: only the end of the name matches
    for (std::size_t i = tokens.size(); i > 0; --i) {
        const Token& t = tokens[i - 1];
        for (std::size_t j = n + 1; j > 0; --j) {
            std::size_t p = j - 1;
            bool atEnd = p == n;
            char c = atEnd ? '\0' : name[p];
            bool ok = false;
            switch (t.kind) {
                case Kind::kLiteral:
                    ok = !atEnd && UpperChar(c) == t.upper && next[p + 1];
                    break;
                case Kind::kStar:
                    ok = next[p] || (!atEnd && reach[p + 1]);
                    break;
                case Kind::kDosStar:
                    ok = next[p] || (!atEnd && p != lastDot && reach[p + 1]);
                    break;
                case Kind::kDosQuestion:
                    ok = (atEnd || c == '.') ? next[p] : next[p + 1];
                    break;
                case Kind::kDosDot:
                    ok = atEnd ? next[p] : (c == '.' && next[p + 1]);
                    break;
            }
            reach[p] = ok ? 1 : 0;
        }
        next.swap(reach);
    }
    return next[0] != 0;
}

}  // namespace

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    return Match(Tokenize(pattern), name);
}

}  // namespace zam::platform
