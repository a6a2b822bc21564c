#include "ini_model.h"

namespace ini_model {

namespace {

bool Blank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f' || c == '\r' || c == '\n';
}

std::string_view Trim(std::string_view text) {
    while (!text.empty() && Blank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && Blank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c + ('a' - 'A')) : c;
}

std::string Unquoted(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front()) {
        value = value.substr(1, value.size() - 2);
    }
    return std::string(value);
}

} // namespace

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (Lower(a[i]) != Lower(b[i])) {
            return false;
        }
    }
    return true;
}

std::vector<Line> SplitLines(std::string_view bytes) {
    std::vector<Line> lines;
    std::size_t start = 0;
    while (start < bytes.size()) {
        const std::size_t end = bytes.find_first_of("\r\n", start);
        if (end == std::string_view::npos) {
            lines.push_back(Line{std::string(bytes.substr(start)), ""});
            break;
        }
        const bool crlf = bytes.substr(end, 2) == "\r\n";
        lines.push_back(Line{std::string(bytes.substr(start, end - start)),
                             std::string(bytes.substr(end, crlf ? 2 : 1))});
        start = end + (crlf ? 2 : 1);
    }
    return lines;
}

File::File(std::string_view bytes) {
    const std::vector<Line> lines = SplitLines(bytes);
    Section* current = nullptr; // lines before the first header belong to no section
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const std::string_view text = Trim(lines[index].content);
        if (text.empty() || text.front() == ';') {
            continue;
        }
        if (text.front() == '[') {
            const std::size_t close = text.rfind(']');
            if (close != std::string_view::npos && close > 0) {
                sections_.push_back(
                    Section{std::string(Trim(text.substr(1, close - 1))), index, {}});
                current = &sections_.back();
                continue;
            }
        }
        if (current == nullptr) {
            continue;
        }
        const std::size_t equals = text.find('=');
        Entry entry{std::string(Trim(text.substr(0, equals))), std::nullopt, index};
        if (equals != std::string_view::npos) {
            entry.value = Unquoted(Trim(text.substr(equals + 1)));
        }
        current->entries.push_back(std::move(entry));
    }
}

const Section* File::FindSection(std::string_view name) const {
    for (const Section& section : sections_) {
        if (SameName(section.name, name)) {
            return &section;
        }
    }
    return nullptr;
}

const Entry* File::FindEntry(const Section& section, std::string_view key) {
    for (const Entry& entry : section.entries) {
        if (SameName(entry.name, key)) {
            return &entry;
        }
    }
    return nullptr;
}

std::optional<std::string> File::Value(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    const Entry* entry = found != nullptr ? FindEntry(*found, key) : nullptr;
    return entry != nullptr ? entry->value : std::nullopt;
}

std::string ReadBack(std::string_view written) {
    return Unquoted(Trim(written));
}

std::int32_t IntOf(std::string_view value) {
    std::size_t at = 0;
    while (at < value.size() && Blank(value[at])) {
        ++at;
    }
    bool negative = false;
    if (at < value.size() && (value[at] == '-' || value[at] == '+')) {
        negative = value[at] == '-';
        ++at;
    }
    std::uint32_t base = 10;
    if (value.substr(at, 2) == "0x") {
        base = 16;
        at += 2;
    }
    std::uint32_t number = 0;
    for (; at < value.size(); ++at) {
        const char c = value[at];
        std::uint32_t digit = 0;
        if (c >= '0' && c <= '9') {
            digit = static_cast<std::uint32_t>(c - '0');
        } else if (base == 16 && Lower(c) >= 'a' && Lower(c) <= 'f') {
            digit = static_cast<std::uint32_t>(Lower(c) - 'a' + 10);
        } else {
            break;
        }
        number = number * base + digit;
    }
    return static_cast<std::int32_t>(negative ? 0u - number : number);
}

} // namespace ini_model
