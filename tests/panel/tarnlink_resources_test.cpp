// What the shipped Tarnlink.exe carries besides its code, read from the built file: the
// four dialog templates control by control, the two strings, the version block, the
// icon and the manifest. Every expected value is written from what the user must see.
#include "tests/support/resource_file.h"

#include <windows.h>

#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// The version block's strings: US English, in the program's code page.
constexpr char kStrings[] = "040904e4";

std::string TarnlinkPath() {
    return ShippedProgramPath("Tarnlink.exe");
}

const wchar_t kButton[] = L"Button";
const wchar_t kEdit[] = L"Edit";
const wchar_t kStatic[] = L"Static";
const wchar_t kListView[] = L"SysListView32";
const wchar_t kIpAddress[] = L"SysIPAddress32";
const wchar_t kRichEdit20[] = L"RichEdit20W";
// The id of labels and frames nobody addresses (-1 in a 32-bit id).
constexpr DWORD kNoId = 0xFFFFFFFF;

// A text of a template, or the number that stands in its place.
struct NameOrNumber {
    std::wstring text;
    std::optional<WORD> number;
};

struct TemplateItem {
    DWORD id = 0;
    NameOrNumber windowClass;
    NameOrNumber text;
    DWORD style = 0;
    short x = 0, y = 0, cx = 0, cy = 0;
};

struct DialogTemplate {
    DWORD style = 0;
    short cx = 0, cy = 0;
    std::wstring caption;
    WORD pointSize = 0;
    std::wstring face;
    std::vector<TemplateItem> items;
};

// Reads an extended dialog template (the layout DIALOGEX scripts compile to).
class CTemplateReader {
public:
    explicit CTemplateReader(std::string bytes) : m_bytes(std::move(bytes)) {}

    std::optional<DialogTemplate> Read() {
        DialogTemplate dialog;
        const WORD version = Word();
        const WORD signature = Word();
        if (version != 1 || signature != 0xFFFF) {
            return std::nullopt;
        }
        Skip(2 * sizeof(DWORD)); // help id, extended style
        dialog.style = Dword();
        const WORD count = Word();
        Skip(2 * sizeof(short)); // x, y
        dialog.cx = Short();
        dialog.cy = Short();
        ReadNameOrNumber(); // menu
        ReadNameOrNumber(); // class
        dialog.caption = String();
        if ((dialog.style & DS_SETFONT) != 0) {
            dialog.pointSize = Word();
            Skip(sizeof(WORD) + 2); // weight, italic, character set
            dialog.face = String();
        }
        for (WORD i = 0; i < count && !m_overrun; ++i) {
            Align();
            TemplateItem item;
            Skip(2 * sizeof(DWORD)); // help id, extended style
            item.style = Dword();
            item.x = Short();
            item.y = Short();
            item.cx = Short();
            item.cy = Short();
            item.id = Dword();
            item.windowClass = ReadNameOrNumber();
            item.text = ReadNameOrNumber();
            Skip(Word()); // creation data
            dialog.items.push_back(std::move(item));
        }
        if (m_overrun) {
            return std::nullopt;
        }
        return dialog;
    }

private:
    template <typename T> T Take() {
        T value{};
        if (m_at + sizeof value > m_bytes.size()) {
            m_overrun = true;
            return value;
        }
        std::memcpy(&value, m_bytes.data() + m_at, sizeof value);
        m_at += sizeof value;
        return value;
    }
    WORD Word() { return Take<WORD>(); }
    DWORD Dword() { return Take<DWORD>(); }
    short Short() { return Take<short>(); }
    void Skip(std::size_t count) { m_at += count; }
    void Align() { m_at = (m_at + 3) & ~std::size_t{3}; }

    std::wstring String() {
        std::wstring text;
        for (wchar_t c = static_cast<wchar_t>(Word()); c != L'\0' && !m_overrun;
             c = static_cast<wchar_t>(Word())) {
            text += c;
        }
        return text;
    }

    NameOrNumber ReadNameOrNumber() {
        if (m_at + sizeof(WORD) <= m_bytes.size() &&
            static_cast<unsigned char>(m_bytes[m_at]) == 0xFF &&
            static_cast<unsigned char>(m_bytes[m_at + 1]) == 0xFF) {
            Skip(sizeof(WORD));
            return {{}, Word()};
        }
        return {String(), std::nullopt};
    }

    std::string m_bytes;
    std::size_t m_at = 0;
    bool m_overrun = false;
};

// One control as the user must find it: its kind (class, and the style bits of that
// kind under kindMask), its text, place and size in dialog units, the style bits it
// must have and those it must not.
struct ExpectedItem {
    DWORD id;
    const wchar_t* className;
    DWORD kindMask;
    DWORD kind;
    const wchar_t* text;
    short x, y, cx, cy;
    DWORD required;
    DWORD forbidden;
};

constexpr DWORD kButtonKind = BS_TYPEMASK;
constexpr DWORD kStaticKind = SS_TYPEMASK;
constexpr DWORD kListKind = LVS_TYPEMASK;
constexpr DWORD kNoKind = 0;

struct ExpectedDialog {
    WORD id;
    const wchar_t* caption;
    short cx, cy;
    DWORD required;
    DWORD forbidden;
    std::vector<ExpectedItem> items;
};

// The link fields of the About box: one line each, read-only, no frame.
constexpr DWORD kLinkRequired = ES_READONLY | WS_TABSTOP;
constexpr DWORD kLinkForbidden = ES_MULTILINE | WS_BORDER;
// The rule editor's text fields.
constexpr DWORD kFieldRequired = WS_BORDER | ES_AUTOHSCROLL | WS_TABSTOP;
// A page is a child with a caption (its tab), disabled until the sheet shows it.
constexpr DWORD kPageStyle = WS_CHILD | WS_CAPTION | WS_DISABLED;
constexpr DWORD kModalStyle = DS_MODALFRAME | WS_POPUP | WS_CAPTION | WS_SYSMENU;

const std::vector<ExpectedDialog>& EveryDialog() {
    static const std::vector<ExpectedDialog> dialogs{
        {100,
         L"About Tarnlink",
         235,
         99,
         kModalStyle,
         WS_CHILD,
         {
             {IDOK, kButton, kButtonKind, BS_DEFPUSHBUTTON, L"OK", 178, 7, 50, 16, WS_TABSTOP, 0},
             {kNoId, kStatic, kStaticKind, SS_ICON, nullptr, 11, 17, 21, 20, 0, 0},
             {kNoId, kStatic, kStaticKind, SS_LEFT, L"Tarnlink v1.0", 40, 10, 119, 8, SS_NOPREFIX,
              0},
             {1015, kRichEdit20, kNoKind, 0, L"", 40, 38, 129, 9, kLinkRequired, kLinkForbidden},
             {1016, kRichEdit20, kNoKind, 0, L"", 40, 50, 129, 9, kLinkRequired, kLinkForbidden},
         }},
        {106,
         L"Proxy",
         335,
         188,
         kPageStyle,
         WS_POPUP,
         {
             {1007, kButton, kButtonKind, BS_PUSHBUTTON, L"Start", 17, 12, 42, 17, WS_TABSTOP, 0},
             {1008, kStatic, kStaticKind, SS_LEFT, L"Static", 68, 16, 188, 11, 0, 0},
             {1002, kListView, kListKind, LVS_REPORT, L"", 17, 39, 257, 130, WS_BORDER | WS_TABSTOP,
              LVS_SINGLESEL | LVS_NOCOLUMNHEADER | LVS_SORTASCENDING | LVS_SORTDESCENDING},
             {1003, kButton, kButtonKind, BS_PUSHBUTTON, L"New Rule", 286, 38, 42, 17, WS_TABSTOP,
              0},
             {1005, kButton, kButtonKind, BS_PUSHBUTTON, L"Edit", 286, 60, 42, 17, WS_TABSTOP, 0},
             {1004, kButton, kButtonKind, BS_PUSHBUTTON, L"Remove", 286, 83, 42, 17, WS_TABSTOP, 0},
             {1006, kStatic, kStaticKind, SS_LEFT,
              L"*You need to Stop and Start server to changes to have effect", 17, 173, 228, 8, 0,
              WS_VISIBLE},
         }},
        {107,
         L"Log",
         335,
         188,
         kPageStyle,
         WS_POPUP,
         {
             {1001, kButton, kButtonKind, BS_PUSHBUTTON, L"Browse...", 282, 14, 46, 17, WS_TABSTOP,
              0},
             {1004, kRichEdit20, kNoKind, 0, L"", 7, 39, 321, 142,
              ES_MULTILINE | ES_READONLY | WS_BORDER | WS_VSCROLL | WS_HSCROLL | ES_AUTOVSCROLL |
                  ES_AUTOHSCROLL | WS_TABSTOP,
              0},
             {kNoId, kStatic, kStaticKind, SS_LEFT, L"Log File:", 7, 18, 29, 8, 0, 0},
             {1009, kStatic, kStaticKind, SS_LEFT, L"TarnlinkLog.txt", 44, 18, 229, 8, 0, 0},
         }},
        {130,
         L"New Rule",
         269,
         202,
         kModalStyle,
         WS_CHILD,
         {
             {1014, kEdit, kNoKind, 0, L"", 51, 7, 83, 14, kFieldRequired, ES_MULTILINE},
             {1010, kIpAddress, kNoKind, 0, L"", 20, 65, 100, 15, WS_TABSTOP, 0},
             {1011, kIpAddress, kNoKind, 0, L"", 149, 65, 100, 15, WS_TABSTOP, 0},
             {1012, kEdit, kNoKind, 0, L"", 65, 130, 184, 14, kFieldRequired, ES_MULTILINE},
             {IDOK, kButton, kButtonKind, BS_DEFPUSHBUTTON, L"OK", 7, 181, 50, 14, WS_TABSTOP, 0},
             {IDCANCEL, kButton, kButtonKind, BS_PUSHBUTTON, L"Cancel", 212, 181, 50, 14,
              WS_TABSTOP, 0},
             {kNoId, kStatic, kStaticKind, SS_LEFT, L"Rule Name:", 10, 10, 40, 8, 0, 0},
             {kNoId, kButton, kButtonKind, BS_GROUPBOX, L"Redirect Connetions FROM", 7, 33, 255, 62,
              0, 0},
             {kNoId, kButton, kButtonKind, BS_GROUPBOX, L"Redirect Connections TO", 7, 108, 255, 57,
              0, 0},
             {kNoId, kStatic, kStaticKind, SS_CENTER, L"First IP", 19, 52, 101, 8, 0, 0},
             {kNoId, kStatic, kStaticKind, SS_CENTER, L"Last IP", 148, 52, 101, 8, 0, 0},
             {kNoId, kStatic, kStaticKind, SS_LEFT, L"VPN Server:", 19, 132, 43, 8, 0, 0},
             {kNoId, kStatic, kStaticKind, SS_CENTER, L"(hostname or IP address)", 64, 149, 185, 8,
              0, 0},
         }},
    };
    return dialogs;
}

std::wstring Describe(const NameOrNumber& value) {
    return value.number ? L"#" + std::to_wstring(*value.number) : value.text;
}

// The class of a control; a template may name the predefined ones by number.
std::wstring ClassName(const TemplateItem& item) {
    if (!item.windowClass.number) {
        return item.windowClass.text;
    }
    switch (*item.windowClass.number) {
    case 0x0080:
        return kButton;
    case 0x0081:
        return kEdit;
    case 0x0082:
        return kStatic;
    default:
        return Describe(item.windowClass);
    }
}

void ExpectItem(const TemplateItem& item, const ExpectedItem& expected) {
    EXPECT_EQ(item.id, expected.id);
    EXPECT_EQ(::CompareStringOrdinal(ClassName(item).c_str(), -1, expected.className, -1, TRUE),
              CSTR_EQUAL)
        << ClassName(item);
    EXPECT_EQ(item.style & expected.kindMask, expected.kind);
    if (expected.text != nullptr) {
        EXPECT_EQ(Describe(item.text), expected.text);
    }
    EXPECT_EQ((std::vector<short>{item.x, item.y, item.cx, item.cy}),
              (std::vector<short>{expected.x, expected.y, expected.cx, expected.cy}));
    EXPECT_EQ(item.style & expected.required, expected.required) << std::hex << item.style;
    EXPECT_EQ(item.style & expected.forbidden, 0u) << std::hex << item.style;
}

TEST(TarnlinkResources, DialogTemplatesHaveTheirControlsInOrderWithStylesAndPlaces) {
    const CResourceFile program(TarnlinkPath());
    ASSERT_TRUE(program.IsLoaded());
    for (const ExpectedDialog& expected : EveryDialog()) {
        SCOPED_TRACE("template " + std::to_string(expected.id));
        const auto dialog = CTemplateReader(program.Bytes(RT_DIALOG, expected.id)).Read();
        ASSERT_TRUE(dialog.has_value());
        EXPECT_EQ(dialog->caption, expected.caption);
        EXPECT_EQ(dialog->cx, expected.cx);
        EXPECT_EQ(dialog->cy, expected.cy);
        EXPECT_EQ(dialog->style & expected.required, expected.required)
            << std::hex << dialog->style;
        EXPECT_EQ(dialog->style & expected.forbidden, 0u) << std::hex << dialog->style;
        EXPECT_EQ(dialog->pointSize, 8);
        EXPECT_EQ(dialog->face, L"MS Shell Dlg");
        ASSERT_EQ(dialog->items.size(), expected.items.size());
        for (std::size_t i = 0; i < expected.items.size(); ++i) {
            SCOPED_TRACE("control " + std::to_string(i));
            ExpectItem(dialog->items[i], expected.items[i]);
        }
    }
    // The About box shows the program's icon.
    const auto about = CTemplateReader(program.Bytes(RT_DIALOG, 100)).Read();
    ASSERT_TRUE(about.has_value());
    EXPECT_EQ(about->items.at(1).text.number, std::optional<WORD>(128));
}

// A string of the string table: block id / 16 + 1 holds 16 counted strings.
std::wstring TableString(const CResourceFile& program, WORD id) {
    const std::string block = program.Bytes(RT_STRING, static_cast<WORD>(id / 16 + 1));
    std::size_t at = 0;
    for (WORD index = 0; index <= id % 16; ++index) {
        WORD length = 0;
        if (at + sizeof length > block.size()) {
            return L"<missing>";
        }
        std::memcpy(&length, block.data() + at, sizeof length);
        at += sizeof length;
        if (index == id % 16) {
            std::wstring text(length, L'\0');
            if (at + length * sizeof(wchar_t) > block.size()) {
                return L"<missing>";
            }
            std::memcpy(text.data(), block.data() + at, length * sizeof(wchar_t));
            return text;
        }
        at += length * sizeof(wchar_t);
    }
    return L"<missing>";
}

TEST(TarnlinkResources, StringsNameTheAboutEntryAndTheWindowCaption) {
    const CResourceFile program(TarnlinkPath());
    ASSERT_TRUE(program.IsLoaded());
    EXPECT_EQ(TableString(program, 101), L"&About Tarnlink...");
    EXPECT_EQ(TableString(program, 102), L"Tarnlink Control Panel v1.0");
}

TEST(TarnlinkResources, VersionBlockIsUsEnglishInCodePage1252ForVersion1001) {
    const std::string path = TarnlinkPath();
    const std::vector<BYTE> info = VersionInfo(path);
    ASSERT_FALSE(info.empty());

    EXPECT_EQ(VersionString(info, kStrings, "FileDescription"), "Tarnlink Control Panel");
    EXPECT_EQ(VersionString(info, kStrings, "InternalName"), "Tarnlink");
    EXPECT_EQ(VersionString(info, kStrings, "OriginalFilename"), "Tarnlink.exe");
    EXPECT_EQ(VersionString(info, kStrings, "ProductName"), "Tarnlink");
    EXPECT_EQ(VersionString(info, kStrings, "FileVersion"), "1.0.0.1");
    EXPECT_EQ(VersionString(info, kStrings, "ProductVersion"), "1.0.0.1");

    void* translation = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", &translation, &length));
    ASSERT_GE(length, 2 * sizeof(WORD));
    WORD languageAndCodePage[2] = {};
    std::memcpy(languageAndCodePage, translation, sizeof languageAndCodePage);
    EXPECT_EQ(languageAndCodePage[0], 0x0409);
    EXPECT_EQ(languageAndCodePage[1], 1252);

    void* fixed = nullptr;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", &fixed, &length));
    const auto* version = static_cast<const VS_FIXEDFILEINFO*>(fixed);
    EXPECT_EQ(version->dwFileVersionMS, 0x00010000u);
    EXPECT_EQ(version->dwFileVersionLS, 0x00000001u);
    EXPECT_EQ(version->dwProductVersionMS, 0x00010000u);
    EXPECT_EQ(version->dwProductVersionLS, 0x00000001u);
}

TEST(TarnlinkResources, Icon128HoldsEverySizeUpTo256PixelsOf16Colours) {
    const CResourceFile program(TarnlinkPath());
    ASSERT_TRUE(program.IsLoaded());
    // An icon group: reserved, type, count, then one 14-byte entry per image.
    constexpr std::size_t kHeader = 6;
    constexpr std::size_t kEntry = 14;
    const std::string group = program.Bytes(RT_GROUP_ICON, 128);
    ASSERT_GE(group.size(), kHeader);
    WORD images = 0;
    std::memcpy(&images, group.data() + 4, sizeof images);
    ASSERT_EQ(group.size(), kHeader + images * kEntry);

    std::set<std::pair<int, int>> sizes;
    for (std::size_t i = 0; i < images; ++i) {
        const char* entry = group.data() + kHeader + i * kEntry;
        const auto width = static_cast<unsigned char>(entry[0]);
        const auto height = static_cast<unsigned char>(entry[1]);
        const auto colours = static_cast<unsigned char>(entry[2]);
        WORD bitsPerPixel = 0;
        WORD imageId = 0;
        std::memcpy(&bitsPerPixel, entry + 6, sizeof bitsPerPixel);
        std::memcpy(&imageId, entry + 12, sizeof imageId);
        // 0 stands for 256.
        sizes.insert({width == 0 ? 256 : width, height == 0 ? 256 : height});
        EXPECT_TRUE(colours == 16 || bitsPerPixel == 4)
            << width << "x" << height << ": " << int{colours} << " colours, " << bitsPerPixel
            << " bits";
        EXPECT_FALSE(program.Bytes(RT_ICON, imageId).empty()) << "image " << imageId;
    }
    // The sizes Windows asks for from 100 % to 400 % display scale.
    EXPECT_EQ(sizes, (std::set<std::pair<int, int>>{{16, 16},
                                                    {20, 20},
                                                    {24, 24},
                                                    {32, 32},
                                                    {40, 40},
                                                    {48, 48},
                                                    {64, 64},
                                                    {96, 96},
                                                    {128, 128},
                                                    {256, 256}}));
}

// The element of the manifest that begins with this text, up to its end.
std::string Element(const std::string& manifest, const std::string& opening) {
    const auto begin = manifest.find(opening);
    if (begin == std::string::npos) {
        return {};
    }
    return manifest.substr(begin, manifest.find('>', begin) - begin);
}

TEST(TarnlinkResources, ManifestAsksForCommonControls6AndRunsAsInvoker) {
    const CResourceFile program(TarnlinkPath());
    ASSERT_TRUE(program.IsLoaded());
    const std::string manifest = program.Bytes(RT_MANIFEST, 1);
    ASSERT_NE(manifest.find("<assembly"), std::string::npos);

    const std::string dependency =
        Element(manifest.substr(manifest.find("<dependentAssembly") + 1), "<assemblyIdentity");
    EXPECT_NE(dependency.find("name=\"Microsoft.Windows.Common-Controls\""), std::string::npos)
        << dependency;
    EXPECT_NE(dependency.find("version=\"6.0.0.0\""), std::string::npos) << dependency;
    EXPECT_NE(dependency.find("publicKeyToken=\"6595b64144ccf1df\""), std::string::npos)
        << dependency;
    // The shipped 32-bit program asks for the x86 controls; the 64-bit test build for its own.
    const std::string architecture = sizeof(void*) == 4 ? "x86" : "amd64";
    EXPECT_NE(dependency.find("processorArchitecture=\"" + architecture + "\""), std::string::npos)
        << dependency;

    // Never raising its rights, and stating a level at all: that turns off file
    // virtualisation, which would hide an unelevated panel's writes from the service.
    const std::string level = Element(manifest, "<requestedExecutionLevel");
    EXPECT_NE(level.find("level=\"asInvoker\""), std::string::npos) << manifest;
    EXPECT_NE(level.find("uiAccess=\"false\""), std::string::npos) << manifest;
    // Windows 10 and 11 only treat a program as theirs when the manifest says so.
    EXPECT_NE(manifest.find("<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\""),
              std::string::npos);
    // Sharp at any display scale: per-monitor aware, system-aware where that is unknown.
    EXPECT_NE(manifest.find(">PerMonitorV2, system</dpiAwareness>"), std::string::npos) << manifest;
    EXPECT_NE(manifest.find(">true</dpiAware>"), std::string::npos) << manifest;
}

} // namespace
