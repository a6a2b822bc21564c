#include "inifile/ini_document.h"

#include <algorithm>

namespace inifile {

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

char LowerAscii(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

std::string Lower(std::string_view text) {
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), LowerAscii);
    return lower;
}

bool SameName(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return LowerAscii(x) == LowerAscii(y);
           });
}

std::size_t SkipBlanks(const std::string& text, std::size_t begin, std::size_t end) {
    while (begin < end && IsBlank(text[begin])) {
        ++begin;
    }
    return begin;
}

std::size_t BackOverBlanks(const std::string& text, std::size_t begin, std::size_t end) {
    while (end > begin && IsBlank(text[end - 1])) {
        --end;
    }
    return end;
}

bool IsQuote(char c) {
    return c == '"' || c == '\'';
}

std::string Concat(std::string_view a, std::string_view b, std::string_view c) {
    std::string text;
    text.reserve(a.size() + b.size() + c.size());
    text.append(a).append(b).append(c);
    return text;
}

} // namespace

std::string_view CIniDocument::Line::BreakText() const {
    switch (lineBreak) {
    case Break::None:
        return "";
    case Break::Cr:
        return "\r";
    case Break::Lf:
        return "\n";
    case Break::CrLf:
        return "\r\n";
    }
    return "";
}

std::size_t CIniDocument::Line::Bytes() const {
    return content.size() + BreakText().size();
}

std::string_view CIniDocument::Line::Name() const {
    return std::string_view(content).substr(nameBegin, nameEnd - nameBegin);
}

CIniDocument::CIniDocument(std::string_view text) {
    std::size_t position = 0;
    while (position < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", position);
        if (end == std::string_view::npos) {
            AppendLine(std::string(text.substr(position)), Break::None);
            break;
        }
        Break lineBreak = Break::Lf;
        std::size_t next = end + 1;
        if (text[end] == '\r') {
            const bool crlf = next < text.size() && text[next] == '\n';
            lineBreak = crlf ? Break::CrLf : Break::Cr;
            next += crlf ? 1 : 0;
        }
        AppendLine(std::string(text.substr(position, end - position)), lineBreak);
        position = next;
    }
}

CIniDocument::Line CIniDocument::ParseLine(std::string content, Break lineBreak) {
    Line line{std::move(content), lineBreak};
    const std::string& text = line.content;
    const std::size_t begin = SkipBlanks(text, 0, text.size());
    const std::size_t end = BackOverBlanks(text, begin, text.size());
    if (begin == end || text[begin] == ';') {
        return line;
    }
    if (text[begin] == '[') {
        const std::size_t close = text.rfind(']', end - 1);
        if (close != std::string::npos && close > begin) {
            line.kind = Kind::Header;
            line.nameBegin = SkipBlanks(text, begin + 1, close);
            line.nameEnd = BackOverBlanks(text, line.nameBegin, close);
            return line;
        }
    }
    line.kind = Kind::Entry;
    line.nameBegin = begin;
    line.equals = text.find('=', begin);
    if (line.equals == std::string::npos) {
        line.nameEnd = end;
        line.valueBegin = line.valueEnd = end;
        return line;
    }
    line.nameEnd = BackOverBlanks(text, begin, line.equals);
    line.valueBegin = SkipBlanks(text, line.equals + 1, end);
    line.valueEnd = end;
    if (line.valueEnd - line.valueBegin >= 2 && IsQuote(text[line.valueBegin]) &&
        text[line.valueEnd - 1] == text[line.valueBegin]) {
        ++line.valueBegin;
        --line.valueEnd;
    }
    return line;
}

void CIniDocument::Recount(Section& section) {
    std::size_t bytes = 0;
    for (const Line& line : section.lines) {
        bytes += line.Bytes();
    }
    m_size = m_size - section.bytes + bytes;
    section.bytes = bytes;
}

void CIniDocument::AppendLine(std::string content, Break lineBreak) {
    Line line = ParseLine(std::move(content), lineBreak);
    if (line.kind == Kind::Header) {
        // emplace keeps the first of duplicate sections, which is the one kernel32 uses.
        m_byName.emplace(Lower(line.Name()), m_sections.size());
        m_sections.push_back(Section{});
    }
    Section& section = m_sections.back();
    section.bytes += line.Bytes();
    m_size += line.Bytes();
    section.lines.push_back(std::move(line));
}

const CIniDocument::Section* CIniDocument::FindSection(std::string_view name) const {
    const auto found = m_byName.find(Lower(name));
    return found != m_byName.end() ? &m_sections[found->second] : nullptr;
}

std::optional<std::size_t> CIniDocument::FindEntry(const Section& section, std::string_view key) {
    for (std::size_t index = 0; index < section.lines.size(); ++index) {
        const Line& line = section.lines[index];
        if (line.kind == Kind::Entry && SameName(line.Name(), key)) {
            return index;
        }
    }
    return std::nullopt;
}

std::optional<std::string_view> CIniDocument::Find(std::string_view section,
                                                   std::string_view key) const {
    const Section* found = FindSection(section);
    if (found == nullptr) {
        return std::nullopt;
    }
    const std::optional<std::size_t> entry = FindEntry(*found, key);
    if (!entry) {
        return std::nullopt;
    }
    const Line& line = found->lines[*entry];
    // A key without '=' has no value at all, which reads like a missing key.
    if (line.equals == std::string::npos) {
        return std::nullopt;
    }
    return std::string_view(line.content).substr(line.valueBegin, line.valueEnd - line.valueBegin);
}

CIniDocument::Change CIniDocument::Set(std::string_view section, std::string_view key,
                                       std::string_view value) {
    const auto found = m_byName.find(Lower(section));
    if (found == m_byName.end()) {
        return AddSection(section, key, value);
    }
    const std::optional<std::size_t> entry = FindEntry(m_sections[found->second], key);
    if (entry) {
        return ReplaceValue(found->second, *entry, value);
    }
    return AddEntry(found->second, key, value);
}

CIniDocument::Change CIniDocument::AddSection(std::string_view section, std::string_view key,
                                              std::string_view value) {
    const std::size_t oldSize = m_size;
    // Only the file's last line can lack a break; the new header needs a line of its own.
    Section& last = m_sections.back();
    if (!last.lines.empty() && last.lines.back().lineBreak == Break::None) {
        last.lines.back().lineBreak = kWrittenBreak;
        Recount(last);
    }
    AppendLine(Concat("[", section, "]"), kWrittenBreak);
    AppendLine(Concat(key, "=", value), kWrittenBreak);
    return {oldSize, 0, m_size - oldSize};
}

CIniDocument::Change CIniDocument::AddEntry(std::size_t sectionIndex, std::string_view key,
                                            std::string_view value) {
    Section& section = m_sections[sectionIndex];
    std::size_t after = 0; // the header, when the section has no entry yet
    for (std::size_t index = 0; index < section.lines.size(); ++index) {
        if (section.lines[index].kind == Kind::Entry) {
            after = index;
        }
    }
    const std::size_t oldSize = m_size;
    Line& previous = section.lines[after];
    const std::size_t offset = OffsetOf(sectionIndex, after) + previous.Bytes();
    if (previous.lineBreak == Break::None) {
        previous.lineBreak = kWrittenBreak;
    }
    const auto position = section.lines.begin() + static_cast<std::ptrdiff_t>(after + 1);
    section.lines.insert(position, ParseLine(Concat(key, "=", value), kWrittenBreak));
    Recount(section);
    return {offset, 0, m_size - oldSize};
}

CIniDocument::Change CIniDocument::ReplaceValue(std::size_t sectionIndex, std::size_t lineIndex,
                                                std::string_view value) {
    Section& section = m_sections[sectionIndex];
    Line& line = section.lines[lineIndex];
    // Everything up to the '=' stays as it was; a key without one gets it.
    const bool hasEquals = line.equals != std::string::npos;
    const std::size_t kept = hasEquals ? line.equals + 1 : line.content.size();
    const std::size_t offset = OffsetOf(sectionIndex, lineIndex) + kept;
    const std::size_t removed = line.content.size() - kept;
    std::string content = line.content.substr(0, kept);
    if (!hasEquals) {
        content += '=';
    }
    content += value;
    line = ParseLine(std::move(content), line.lineBreak);
    Recount(section);
    return {offset, removed, line.content.size() - kept};
}

std::size_t CIniDocument::OffsetOf(std::size_t sectionIndex, std::size_t lineIndex) const {
    std::size_t offset = 0;
    for (std::size_t index = 0; index < sectionIndex; ++index) {
        offset += m_sections[index].bytes;
    }
    const std::vector<Line>& lines = m_sections[sectionIndex].lines;
    for (std::size_t index = 0; index < lineIndex; ++index) {
        offset += lines[index].Bytes();
    }
    return offset;
}

std::string CIniDocument::Text(std::size_t offset, std::size_t length) const {
    std::string text;
    text.reserve(std::min(length, m_size - std::min(offset, m_size)));
    std::size_t position = 0;
    for (const Section& section : m_sections) {
        if (position + section.bytes <= offset) {
            position += section.bytes;
            continue;
        }
        for (const Line& line : section.lines) {
            const std::size_t bytes = line.Bytes();
            if (position + bytes > offset) {
                // Both parts of the line, cut to what lies past the offset.
                const std::size_t skip = offset > position ? offset - position : 0;
                if (skip < line.content.size()) {
                    text.append(line.content, skip);
                }
                const std::size_t breakSkip =
                    skip > line.content.size() ? skip - line.content.size() : 0;
                text.append(line.BreakText().substr(breakSkip));
            }
            position += bytes;
            if (text.size() >= length) {
                text.resize(length);
                return text;
            }
        }
    }
    return text;
}

} // namespace inifile
