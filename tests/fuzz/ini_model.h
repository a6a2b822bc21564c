#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// How kernel32 reads an INI file, written for the fuzz target from the documented
// rules alone, to judge the own layer by.
namespace ini_model {

struct Line {
    std::string content;
    std::string lineBreak; // "", "\r", "\n" or "\r\n"
    bool operator==(const Line&) const = default;
};

// The file's lines as a writer must keep them: each ends at CR, LF or CR LF.
std::vector<Line> SplitLines(std::string_view bytes);

struct Entry {
    std::string name;
    std::optional<std::string> value; // none for a key without '='
    std::size_t line = 0;
};

struct Section {
    std::string name;
    std::size_t line = 0; // of the header
    std::vector<Entry> entries;
};

class File {
public:
    explicit File(std::string_view bytes);

    // The first section of that name (ASCII case ignored), or null.
    const Section* FindSection(std::string_view name) const;
    // The first entry of that name in the section, or null.
    static const Entry* FindEntry(const Section& section, std::string_view key);
    // What a read gives: the value, or none for a missing section, key or '='.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    const std::vector<Section>& Sections() const { return sections_; }

private:
    std::vector<Section> sections_;
};

// The value a line "key=<written>" reads as: trimmed, one pair of quotes removed.
std::string ReadBack(std::string_view written);

// An integer read: blanks, one sign, "0x" for hexadecimal, digits, wrapped to 32 bits.
std::int32_t IntOf(std::string_view value);

bool SameName(std::string_view a, std::string_view b);

} // namespace ini_model
