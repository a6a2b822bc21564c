// Reads the PE headers of Windows programs and names every hardening property one
// lacks: ASLR (dynamic base with relocations kept; high-entropy VA on x86_64), DEP,
// no section both writable and executable, stack protection linked in statically.
// Usage: pe_hardening FILE...; prints one line per file, exits 1 when any lacks one.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

constexpr std::uint16_t kPe32 = 0x10b;
constexpr std::uint16_t kPe32Plus = 0x20b;
constexpr std::uint16_t kRelocsStripped = 0x0001;
constexpr std::uint16_t kHighEntropyVa = 0x0020;
constexpr std::uint16_t kDynamicBase = 0x0040;
constexpr std::uint16_t kNxCompat = 0x0100;
constexpr std::uint32_t kSectionExecute = 0x20000000;
constexpr std::uint32_t kSectionWrite = 0x80000000;
constexpr unsigned kImportDirectory = 1;
constexpr unsigned kRelocationDirectory = 5;
// Written by the stack protector's failure handler, so present only when it is linked in.
constexpr std::string_view kStackProtectorText = "*** stack smashing detected ***";

std::uint32_t Read(const Bytes& b, std::size_t at, unsigned size) {
    if (at + size > b.size())
        return 0;
    std::uint32_t value = 0;
    for (unsigned i = size; i-- > 0;)
        value = (value << 8) | b[at + i];
    return value;
}

struct Section {
    std::uint32_t rva, virtualSize, fileOffset, characteristics;
};

class PeImage {
public:
    explicit PeImage(Bytes bytes) : b_(std::move(bytes)) {}

    // The problems found, empty when the image has every property.
    std::vector<std::string> Problems() {
        const std::size_t pe = Read(b_, 0x3c, 4);
        if (b_.size() < 0x40 || Read(b_, 0, 2) != 0x5a4d || Read(b_, pe, 4) != 0x4550)
            return {"not a PE image"};
        const std::size_t coff = pe + 4, optional = coff + 20;
        const std::uint16_t magic = static_cast<std::uint16_t>(Read(b_, optional, 2));
        if (magic != kPe32 && magic != kPe32Plus)
            return {"unknown optional header"};
        const bool plus = magic == kPe32Plus;
        const auto flags = static_cast<std::uint16_t>(Read(b_, optional + 70, 2));
        directories_ = optional + (plus ? 112u : 96u);
        ReadSections(coff, optional);

        std::vector<std::string> problems;
        auto need = [&](bool ok, const char* what) {
            if (!ok)
                problems.emplace_back(what);
        };
        need(flags & kDynamicBase, "dynamic base (ASLR)");
        need(!(Read(b_, coff + 18, 2) & kRelocsStripped) && Directory(kRelocationDirectory).second,
             "relocations");
        need(!plus || (flags & kHighEntropyVa), "high-entropy VA");
        need(flags & kNxCompat, "NX compatible (DEP)");
        need(std::none_of(sections_.begin(), sections_.end(),
                          [](const Section& s) {
                              return (s.characteristics & kSectionWrite) &&
                                     (s.characteristics & kSectionExecute);
                          }),
             "no writable and executable section");
        need(std::search(b_.begin(), b_.end(), kStackProtectorText.begin(),
                         kStackProtectorText.end()) != b_.end(),
             "stack protection");
        need(!ImportsRuntimeDll(), "runtime linked statically");
        return problems;
    }

private:
    void ReadSections(std::size_t coff, std::size_t optional) {
        const std::size_t count = Read(b_, coff + 2, 2);
        const std::size_t first = optional + Read(b_, coff + 16, 2);
        for (std::size_t i = 0; i < count; ++i) {
            const std::size_t at = first + i * 40;
            sections_.push_back({Read(b_, at + 12, 4), Read(b_, at + 8, 4), Read(b_, at + 20, 4),
                                 Read(b_, at + 36, 4)});
        }
    }

    std::pair<std::uint32_t, std::uint32_t> Directory(unsigned index) const {
        return {Read(b_, directories_ + index * 8, 4), Read(b_, directories_ + index * 8 + 4, 4)};
    }

    std::optional<std::size_t> Offset(std::uint32_t rva) const {
        for (const Section& s : sections_)
            if (rva >= s.rva && rva < s.rva + s.virtualSize)
                return s.fileOffset + (rva - s.rva);
        return std::nullopt;
    }

    // MinGW's own runtime DLLs are all named lib*.dll; Windows' own never are.
    bool ImportsRuntimeDll() const {
        const auto table = Offset(Directory(kImportDirectory).first);
        for (std::size_t at = table.value_or(b_.size()); Read(b_, at + 12, 4) != 0; at += 20) {
            const auto name = Offset(Read(b_, at + 12, 4));
            if (name && b_.size() - *name >= 3 &&
                std::equal(b_.begin() + static_cast<std::ptrdiff_t>(*name),
                           b_.begin() + static_cast<std::ptrdiff_t>(*name + 3), "lib"))
                return true;
        }
        return false;
    }

    Bytes b_;
    std::size_t directories_ = 0;
    std::vector<Section> sections_;
};

} // namespace

int main(int argc, char** argv) {
    int status = argc > 1 ? 0 : 2;
    for (int i = 1; i < argc; ++i) {
        std::ifstream in(argv[i], std::ios::binary);
        PeImage image(Bytes(std::istreambuf_iterator<char>(in), {}));
        const auto problems = in ? image.Problems() : std::vector<std::string>{"cannot be read"};
        std::string line = problems.empty() ? "hardened" : "lacks:";
        for (const auto& p : problems)
            line += " " + p + ";";
        std::printf("%s: %s\n", argv[i], line.c_str());
        if (!problems.empty())
            status = 1;
    }
    return status;
}
