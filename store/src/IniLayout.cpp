#include "IniLayout.h"

#include <algorithm>

#include "zam/platform/Text.h"

namespace zam::store_detail {

namespace {

using platform::TrimSpaces;

struct Style {
    std::string_view separator = " = ";
    bool tightHeaders = false;
};

Style StyleFor(std::string_view path) {
    std::string upper = platform::UpperCase(path);
    auto has = [&](std::string_view name) { return upper.find(name) != std::string::npos; };
    Style style;
    if (has("67SEASON.INI") || has("GP.INI")) style.separator = "=";
    style.tightHeaders = has("67SEASON.INI") || has("GP.INI") || has("GLIDE.INI");
    return style;
}

bool IsCommentName(std::string_view name) { return name.find(';') != std::string_view::npos; }

class Renderer {
public:
    Renderer(const FileRecord& file, Style style) : file_(file), style_(style) {}

    std::string Render() {
        for (std::size_t s = 1; s < file_.sections.size(); ++s) {
            const SectionRecord& section = file_.sections[s];
            if (!section.name.empty() && !OnlyCommentsOrDeleted(section)) WriteHeader(section.name);
            WriteEntries(section);
        }
        return std::move(out_);
    }

private:
    bool OnlyCommentsOrDeleted(const SectionRecord& section) const {
        return std::all_of(section.entries.begin(), section.entries.end(), [&](std::uint32_t i) {
            const EntryRecord& e = file_.entries[i];
            return e.deleted() || file_.Text(e.name).substr(0, 1) == ";";
        });
    }

    // Neither line counts as the current or the last written line.
    void WriteHeader(const std::string& name) {
        if (!TrimSpaces(current_).empty()) WriteLine("");
        if (style_.tightHeaders)
            WriteLine("[" + name + "]");
        else
            WriteLine("[ " + name + " ]");
    }

    std::size_t CommentColumn(const SectionRecord& section) const {
        std::size_t longest = 0;
        for (std::uint32_t i : section.entries) {
            const EntryRecord& e = file_.entries[i];
            std::string_view name = file_.Text(e.name);
            if (!IsCommentName(name)) longest = std::max(longest, name.size() + e.value.length);
        }
        return longest + 6;
    }

    void BuildLine(const EntryRecord& e, std::size_t column) {
        std::string_view name = file_.Text(e.name);
        std::string_view comment = file_.Text(e.commentRef());
        current_.clear();
        if (IsCommentName(name)) {
            if (!comment.empty()) current_.append(1, ';').append(comment);
            return;
        }
        if (!name.empty()) current_.append(name).append(style_.separator).append(file_.Text(e.value));
        if (comment.empty()) return;
        std::size_t pad = current_.size() < column ? column - current_.size() : 1;
        current_.append(pad, ' ').append("\t;").append(comment);
    }

    void WriteEntries(const SectionRecord& section) {
        std::size_t column = CommentColumn(section);
        for (std::uint32_t i : section.entries) {
            const EntryRecord& e = file_.entries[i];
            BuildLine(e, column);
            if (TrimSpaces(current_).empty() && TrimSpaces(lastWritten_).empty()) continue;
            if (e.deleted()) continue;
            WriteLine(current_);
            lastWritten_ = current_;
        }
    }

    void WriteLine(std::string_view line) { out_.append(line).append("\r\n"); }

    const FileRecord& file_;
    Style style_;
    std::string out_;
    std::string current_;
    std::string lastWritten_;
};

}  // namespace

std::string RenderIniFile(const FileRecord& file, std::string_view path) {
    return Renderer(file, StyleFor(path)).Render();
}

}  // namespace zam::store_detail
