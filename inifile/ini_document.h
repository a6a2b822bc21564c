#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace inifile {

// The text of an INI file, read the way kernel32 reads it and edited the way it
// writes: names match without regard to ASCII case, the first of duplicate
// sections and keys wins, and every line an edit does not touch keeps its bytes.
class CIniDocument {
public:
    CIniDocument() = default;
    explicit CIniDocument(std::string_view text);

    // The value trimmed and stripped of one pair of enclosing quotes, or nothing
    // when the section or the key does not exist or the key has no '='.
    std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;

    // Where an edit changed the text: the `removed` bytes at `offset` became
    // `inserted` bytes; everything before and after them is as it was.
    struct Change {
        std::size_t offset = 0;
        std::size_t removed = 0;
        std::size_t inserted = 0;
    };

    // Replaces the value of an existing key in place, or adds the key after the
    // last entry of its section, or adds the section at the end.
    Change Set(std::string_view section, std::string_view key, std::string_view value);

    std::size_t Size() const { return m_size; }
    // Up to length bytes of the text from a byte offset on.
    std::string Text(std::size_t offset = 0, std::size_t length = std::string::npos) const;

private:
    enum class Break { None, Cr, Lf, CrLf };
    enum class Kind { Other, Header, Entry };
    // Lines the layer writes end in CRLF, like those Windows writes.
    static constexpr Break kWrittenBreak = Break::CrLf;

    // One line and what reading makes of it. For a header, name is the section
    // name; for an entry, name is the key and value the value as read (positions
    // in content, begin and end).
    struct Line {
        std::string content; // without its line break
        Break lineBreak = Break::None;
        Kind kind = Kind::Other;
        std::size_t nameBegin = 0;
        std::size_t nameEnd = 0;
        std::size_t valueBegin = 0;
        std::size_t valueEnd = 0;
        std::size_t equals = std::string::npos; // position of the first '=' of an entry

        std::string_view BreakText() const;
        std::size_t Bytes() const;
        std::string_view Name() const;
    };

    struct Section {
        std::vector<Line> lines; // lines[0] is the header, except in the leading part
        std::size_t bytes = 0;
    };

    static Line ParseLine(std::string content, Break lineBreak);
    static std::optional<std::size_t> FindEntry(const Section& section, std::string_view key);
    const Section* FindSection(std::string_view name) const;
    std::size_t OffsetOf(std::size_t sectionIndex, std::size_t lineIndex) const;
    void AppendLine(std::string content, Break lineBreak);
    Change AddSection(std::string_view section, std::string_view key, std::string_view value);
    Change AddEntry(std::size_t sectionIndex, std::string_view key, std::string_view value);
    Change ReplaceValue(std::size_t sectionIndex, std::size_t lineIndex, std::string_view value);
    void Recount(Section& section);

    // m_sections[0] holds what comes before the first header; no name reaches it.
    std::vector<Section> m_sections{Section{}};
    std::unordered_map<std::string, std::size_t> m_byName; // lower-case name -> first section
    std::size_t m_size = 0;
};

} // namespace inifile
