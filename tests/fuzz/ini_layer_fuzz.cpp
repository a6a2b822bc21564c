// The own INI layer on a real file: any bytes, then reads, writes and changes made
// behind its back. Every read must give what the documented reading rules give for
// the bytes on disk. Every write must read back (after the same trimming and quote
// rule), keep every line it does not edit byte for byte, and add no key or section
// but the one it writes (kernel32 creates that one when missing, so the layer must).
//
// Input: two bytes of length (low first) and that many bytes of file, then
// operations, each naming a section and a key (a byte below 0xF0 picks a usual
// name, others take up to 15 bytes of the input as the name):
//   'w' section key n value...   write        'i' section key   integer read
//   'x' n bytes... t   rewrite in place (t & 1: keep the modification time)
//   'm' n bytes...     replace by rename      'd'   delete
//   'l' n b            append a line of n KiB bytes b, or of 10 MiB when n is 255
//   anything else, then section key: string read
#include "config/profile_backend.h"
#include "ini_model.h"
#include "fuzz_input.h"
#include "scratch_file.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/stat.h>
#include <vector>

namespace {

constexpr std::size_t kReadBuffer = 5000;
constexpr std::size_t kLongestFile = 12u << 20;
constexpr char kDefault[] = "\x01 default";
constexpr std::int32_t kDefaultInt = 12345;

constexpr const char* kSections[] = {"Tarnlink", "TARNLINK", "Rule1", "rule1",
                                     "Rule2",    "S",        "a b",   "Rule10"};
constexpr const char* kKeys[] = {"RulesCount", "Name",          "name", "Enable",     "SrcFirstIp",
                                 "K",          "TargetAddress", "k k",  "LogFileName"};

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

// A name the store could use: no line break, '=', bracket or ';', no blanks at its ends.
template <std::size_t N> std::string Name(Input& input, const char* const (&usual)[N]) {
    const std::uint8_t pick = input.Byte();
    if (pick < 0xF0) {
        return usual[pick % N];
    }
    std::string name;
    for (const char c : input.Bytes(input.Byte() % 16u)) {
        if (c != '\0' && c != '\r' && c != '\n' && c != '=' && c != '[' && c != ']' && c != ';') {
            name += c;
        }
    }
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; };
    while (!name.empty() && blank(name.back())) {
        name.pop_back();
    }
    name.erase(0, static_cast<std::size_t>(std::find_if_not(name.begin(), name.end(), blank) -
                                           name.begin()));
    return name.empty() ? usual[0] : name;
}

struct Disk {
    const ScratchFile& file;
    bool exists = true;
    std::string bytes;

    void Rewrite(const std::string& text, bool keepTime) {
        struct stat old {};
        const bool hadTime = stat(file.Path().c_str(), &old) == 0;
        file.Write(text);
        if (keepTime && hadTime) {
            const timespec times[2] = {old.st_atim, old.st_mtim};
            utimensat(AT_FDCWD, file.Path().c_str(), times, 0);
        }
        exists = true;
        bytes = text;
    }
    void Replace(const std::string& text) {
        const std::string other = file.Folder() + "/other.ini";
        ScratchFile::WriteTo(other, text);
        Check(std::rename(other.c_str(), file.Path().c_str()) == 0);
        exists = true;
        bytes = text;
    }
    void Delete() {
        std::remove(file.Path().c_str());
        exists = false;
        bytes.clear();
    }
};

void CheckStringRead(const Disk& disk, const std::string& section, const std::string& key) {
    std::vector<char> buffer(kReadBuffer, '\x7f');
    const std::uint32_t copied = profile::backend::GetString(
        section.c_str(), key.c_str(), kDefault, buffer.data(),
        static_cast<std::uint32_t>(buffer.size()), disk.file.Path().c_str());
    const std::optional<std::string> value = ini_model::File(disk.bytes).Value(section, key);
    std::string expected = value ? *value : kDefault;
    expected.resize(std::min(expected.size(), kReadBuffer - 1));
    Check(copied == expected.size());
    Check(std::string(buffer.data(), copied) == expected && buffer[copied] == '\0');
}

void CheckIntRead(const Disk& disk, const std::string& section, const std::string& key) {
    const std::int32_t read = profile::backend::GetInt(section.c_str(), key.c_str(), kDefaultInt,
                                                       disk.file.Path().c_str());
    const std::optional<std::string> value = ini_model::File(disk.bytes).Value(section, key);
    Check(read == (value && !value->empty() ? ini_model::IntOf(*value) : kDefaultInt));
}

// Every reachable key but the written one keeps its value, and no other appears.
void CheckOtherKeys(const ini_model::File& before, const ini_model::File& after,
                    const std::string& section, const std::string& key) {
    const auto written = [&](const ini_model::Section& s, const ini_model::Entry& e) {
        return ini_model::SameName(s.name, section) && ini_model::SameName(e.name, key);
    };
    const auto reachable = [](const ini_model::File& file, const ini_model::Section& s,
                              const ini_model::Entry& e) {
        return file.FindSection(s.name) == &s && ini_model::File::FindEntry(s, e.name) == &e;
    };
    std::size_t keysBefore = 0;
    for (const ini_model::Section& s : before.Sections()) {
        Check(after.FindSection(s.name) != nullptr);
        for (const ini_model::Entry& e : s.entries) {
            if (reachable(before, s, e) && !written(s, e)) {
                ++keysBefore;
                Check(after.Value(s.name, e.name) == e.value);
            }
        }
    }
    std::size_t keysAfter = 0;
    for (const ini_model::Section& s : after.Sections()) {
        Check(before.FindSection(s.name) != nullptr || ini_model::SameName(s.name, section));
        for (const ini_model::Entry& e : s.entries) {
            keysAfter += reachable(after, s, e) && !written(s, e) ? 1 : 0;
        }
    }
    Check(keysBefore == keysAfter);
}

// The lines of the file after the write are those before it, but for the one line
// edited, or the one line added (with a line break given to the line before it, when
// it was the last and had none), or the section added at the end.
void CheckLines(const std::string& before, const std::string& after, const std::string& section,
                const std::string& key, const std::string& value) {
    const ini_model::File model(before);
    const std::vector<ini_model::Line> old = ini_model::SplitLines(before);
    const std::vector<ini_model::Line> now = ini_model::SplitLines(after);
    const ini_model::Section* found = model.FindSection(section);
    if (found == nullptr) {
        const bool ended = before.empty() || before.back() == '\r' || before.back() == '\n';
        Check(after == before + (ended ? "" : "\r\n") + "[" + section + "]\r\n" + key + "=" +
                           value + "\r\n");
        return;
    }
    if (const ini_model::Entry* entry = ini_model::File::FindEntry(*found, key)) {
        Check(now.size() == old.size());
        for (std::size_t i = 0; i < old.size(); ++i) {
            Check(i == entry->line || now[i] == old[i]);
        }
        return;
    }
    const std::size_t previous = found->entries.empty() ? found->line : found->entries.back().line;
    Check(now.size() == old.size() + 1);
    for (std::size_t i = 0; i < old.size(); ++i) {
        const ini_model::Line& moved = now[i <= previous ? i : i + 1];
        const bool breakAdded = i == previous && i + 1 == old.size() && old[i].lineBreak.empty() &&
                                moved.content == old[i].content && moved.lineBreak == "\r\n";
        Check(moved == old[i] || breakAdded);
    }
}

void CheckWrite(Disk& disk, const std::string& section, const std::string& key, std::string value) {
    value.resize(std::min(value.size(), value.find('\0')));
    std::replace(value.begin(), value.end(), '\r', ' ');
    std::replace(value.begin(), value.end(), '\n', ' ');
    const std::string before = disk.bytes;
    Check(profile::backend::WriteString(section.c_str(), key.c_str(), value.c_str(),
                                        disk.file.Path().c_str()) == 0);
    const std::string after = disk.file.Read();
    const ini_model::File model(after);
    Check(model.Value(section, key) == ini_model::ReadBack(value));
    CheckLines(before, after, section, key, value);
    CheckOtherKeys(ini_model::File(before), model, section, key);
    disk.exists = true;
    disk.bytes = after;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const ScratchFile file("Settings.ini");
    Input input(data, size);
    Disk disk{file, true, {}};
    const std::size_t length = input.Byte() | static_cast<std::size_t>(input.Byte()) << 8;
    disk.Rewrite(input.Bytes(length), false);
    while (input.More()) {
        const std::uint8_t operation = input.Byte();
        switch (operation) {
        case 'x': {
            const std::string text = input.Bytes(input.Byte());
            disk.Rewrite(text, (input.Byte() & 1) != 0);
            continue;
        }
        case 'm':
            disk.Replace(input.Bytes(input.Byte()));
            continue;
        case 'd':
            disk.Delete();
            continue;
        case 'l': {
            const std::uint8_t kibibytes = input.Byte();
            const std::size_t bytes = (kibibytes == 0xFF ? 10240u : kibibytes) * std::size_t{1024};
            char fill = static_cast<char>(input.Byte());
            fill = fill == '\r' || fill == '\n' ? 'x' : fill;
            if (disk.bytes.size() + bytes < kLongestFile) {
                disk.Rewrite(disk.bytes + std::string(bytes, fill) + "\n", false);
            }
            continue;
        }
        default:
            break;
        }
        const std::string section = Name(input, kSections);
        const std::string key = Name(input, kKeys);
        if (operation == 'w') {
            CheckWrite(disk, section, key, input.Bytes(input.Byte()));
        } else if (operation == 'i') {
            CheckIntRead(disk, section, key);
        } else {
            CheckStringRead(disk, section, key);
        }
    }
    return 0;
}
