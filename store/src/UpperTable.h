#pragma once
// Windows-1252 upper-casing of one byte through a table, for the loops that upper-case every
// byte of every key.
#include <array>

#include "zam/platform/Text.h"

namespace zam::store_detail {

inline const std::array<unsigned char, 256>& UpperTable() {
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int i = 0; i < 256; ++i)
            t[static_cast<std::size_t>(i)] =
                static_cast<unsigned char>(platform::UpperChar(static_cast<char>(i)));
        return t;
    }();
    return table;
}

inline unsigned char UpperByte(char c) {
    return UpperTable()[static_cast<unsigned char>(c)];
}

}  // namespace zam::store_detail
