#include "zam/model/Catalogues.h"

#include <limits>

#include "zam/platform/Text.h"

namespace zam {

namespace {

struct BaseClassRow {
    std::string_view code;
    std::string_view base;
};

constexpr std::array<BaseClassRow, 10> kBaseClasses = {{
    {"F1", "F1"}, {"FD", "F1"}, {"FL1", "F1"}, {"FG", "F1"},
    {"F2", "F2"}, {"FV", "F2"}, {"FL2", "F2"}, {"FJ", "F2"},
    {"F3", "F3"}, {"FL3", "F3"},
}};

struct TeamCodeRow {
    std::string_view folder;
    std::string_view code;
};

constexpr std::array<TeamCodeRow, 7> kTeamCodes = {{
    {"lotus", "lo"}, {"ferrari", "fe"}, {"brm", "br"}, {"brabham", "bb"},
    {"murasama", "mu"}, {"coventry", "co"}, {"eagle", "ea"},
}};

// A player's name is typed by the user; in a folder name it must neither split into several
// folders nor break out of Players\ nor use characters the file system refuses.
bool UnfitForFolderName(char c) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) return true;
    switch (c) {
        case '-': case ' ': case '.': case '\'':
        case '\\': case '/': case ':': case '*': case '?': case '"': case '<': case '>': case '|':
            return true;
        default:
            return false;
    }
}

std::string FolderSafe(std::string_view name) {
    std::string safe(name);
    for (char& c : safe)
        if (UnfitForFolderName(c)) c = '_';
    return safe;
}

}  // namespace

std::string BaseClassOf(std::string_view classCode) {
    for (const auto& row : kBaseClasses)
        if (row.code == classCode) return std::string(row.base);
    return {};
}

std::string_view TeamSetupCode(std::string_view carFolder) {
    for (const auto& row : kTeamCodes)
        if (row.folder == carFolder) return row.code;
    return {};
}

std::string SetupExtension(std::string_view carFolder, std::string_view classCode) {
    const std::string_view code = TeamSetupCode(carFolder);
    const std::string base = BaseClassOf(classCode);
    if (code.empty() || base.empty()) return {};
    return std::string(code) + base.back();
}

std::string BuildPlayerDirectoryName(std::string_view firstName, std::string_view lastName) {
    std::string name = FolderSafe(lastName) + "__" + FolderSafe(firstName);
    // Cannot happen with the "__" in the middle, but a folder name must never be one of these.
    if (name.empty() || name == "." || name == "..") name = "_";
    return name;
}

bool IsSingleFolderName(std::string_view name) {
    if (name.find_first_of("\\/:") != std::string_view::npos) return false;
    return name.find_first_not_of(". ") != std::string_view::npos;
}

std::int32_t WholeNumber(std::string_view text) {
    text = platform::TrimSpaces(text);
    bool negative = false;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    std::int64_t value = 0;
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max();
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) {
        value = value * 10 + (text[i] - '0');
        if (value > kLimit) value = kLimit + 1;  // keep it bounded; clamped below
    }
    if (negative) value = -value;
    if (value > kLimit) return std::numeric_limits<std::int32_t>::max();
    if (value < -kLimit - 1) return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

}  // namespace zam
