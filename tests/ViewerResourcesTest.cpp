#include <gtest/gtest.h>

#include "Programs.h"

#include <set>
#include <string>
#include <utility>
#include <vector>

namespace {

// One dialog template as the executable carries it (DLGTEMPLATEEX), read field by field.
struct Item {
    DWORD style;
    short x, y, cx, cy;
    int id;
    std::string windowClass; // "#128" for an ordinal
    std::string text;
};

struct Template {
    DWORD style, exStyle;
    short x, y, cx, cy;
    std::string caption;
    WORD pointSize, weight;
    BYTE italic, charset;
    std::string font;
    std::vector<Item> items;
};

class Reader {
public:
    explicit Reader(const BYTE* p) : m_start(p), m_p(p) {}
    WORD Word() { WORD v; CopyMemory(&v, m_p, 2); m_p += 2; return v; }
    DWORD Dword() { DWORD v; CopyMemory(&v, m_p, 4); m_p += 4; return v; }
    BYTE Byte() { return *m_p++; }
    short Short() { return static_cast<short>(Word()); }
    std::string String()
    {
        std::string s;
        for (WORD c; (c = Word()) != 0;)
            s += static_cast<char>(c);
        return s;
    }
    std::string StringOrOrdinal()
    {
        WORD first = Word();
        if (first == 0)
            return "";
        if (first == 0xFFFF)
            return "#" + std::to_string(Word());
        m_p -= 2;
        return String();
    }
    void AlignDword() { m_p += (4 - (m_p - m_start) % 4) % 4; }

private:
    const BYTE* m_start;
    const BYTE* m_p;
};

Template LoadTemplate(int id)
{
    Template t = {};
    HMODULE exe = LoadLibraryExA(ViewerExePath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC resource = FindResourceA(exe, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(5)); // RT_DIALOG
    if (!resource)
        return t;
    Reader r(static_cast<const BYTE*>(LockResource(LoadResource(exe, resource))));
    EXPECT_EQ(1, r.Word());
    EXPECT_EQ(0xFFFF, r.Word()) << "extended template";
    r.Dword(); // help id
    t.exStyle = r.Dword();
    t.style = r.Dword();
    WORD count = r.Word();
    t.x = r.Short(); t.y = r.Short(); t.cx = r.Short(); t.cy = r.Short();
    EXPECT_EQ("", r.StringOrOrdinal()) << "no menu";
    EXPECT_EQ("", r.StringOrOrdinal()) << "standard dialog class";
    t.caption = r.String();
    if (t.style & DS_SETFONT) {
        t.pointSize = r.Word();
        t.weight = r.Word();
        t.italic = r.Byte();
        t.charset = r.Byte();
        t.font = r.String();
    }
    for (WORD i = 0; i < count; ++i) {
        r.AlignDword();
        Item item;
        r.Dword(); // help id
        r.Dword(); // extended style
        item.style = r.Dword();
        item.x = r.Short(); item.y = r.Short(); item.cx = r.Short(); item.cy = r.Short();
        item.id = static_cast<int>(r.Dword());
        item.windowClass = r.StringOrOrdinal();
        item.text = r.StringOrOrdinal();
        WORD extra = r.Word();
        for (WORD b = 0; b < extra; ++b)
            r.Byte();
        t.items.push_back(item);
    }
    FreeLibrary(exe);
    return t;
}

const char* kButton = "#128";
const char* kEdit = "#129";
const char* kStatic = "#130";
const DWORD kChild = WS_CHILD | WS_VISIBLE;

void ExpectItems(const std::vector<Item>& expected, const std::vector<Item>& actual)
{
    ASSERT_EQ(expected.size(), actual.size());
    for (size_t i = 0; i < expected.size(); ++i) {
        const Item& e = expected[i];
        const Item& a = actual[i];
        SCOPED_TRACE("control " + std::to_string(i) + " " + e.text);
        EXPECT_EQ(e.id, static_cast<int>(static_cast<short>(a.id)));
        EXPECT_EQ(e.windowClass, a.windowClass);
        EXPECT_EQ(e.text, a.text);
        EXPECT_EQ(e.x, a.x);
        EXPECT_EQ(e.y, a.y);
        EXPECT_EQ(e.cx, a.cx);
        EXPECT_EQ(e.cy, a.cy);
        EXPECT_EQ(e.style, a.style) << std::hex << e.style << " " << a.style;
    }
}

TEST(ViewerResourcesTest, AboutBox)
{
    Template t = LoadTemplate(103);
    EXPECT_EQ(static_cast<DWORD>(DS_SETFONT | DS_MODALFRAME | WS_CAPTION | WS_SYSMENU), t.style);
    EXPECT_EQ(0u, t.exStyle);
    EXPECT_EQ("About", t.caption);
    EXPECT_EQ(22, t.x);
    EXPECT_EQ(17, t.y);
    EXPECT_EQ(230, t.cx);
    EXPECT_EQ(75, t.cy);
    EXPECT_EQ("System", t.font);
    EXPECT_EQ(8, t.pointSize);

    std::vector<Item> items = {
        {kChild | SS_ICON, 14, 9, 20, 20, 2, kStatic, "#107"},
        {kChild | SS_LEFT | SS_NOPREFIX | WS_GROUP, 49, 10, 119, 8, -1, kStatic,
         "VaskViewer Version 1.0"},
        {kChild | SS_LEFT | WS_GROUP, 49, 20, 119, 8, -1, kStatic, ""},
        {kChild | BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, 195, 6, 30, 11, 1, kButton, "OK"},
        {kChild | SS_LEFT | WS_GROUP, 49, 30, 119, 8, -1, kStatic, ""},
    };
    // The author and contact lines are ours to word; they must say something.
    ASSERT_EQ(items.size(), t.items.size());
    EXPECT_FALSE(t.items[2].text.empty());
    EXPECT_FALSE(t.items[4].text.empty());
    items[2].text = t.items[2].text;
    items[4].text = t.items[4].text;
    ExpectItems(items, t.items);
}

TEST(ViewerResourcesTest, SettingsDialog)
{
    Template t = LoadTemplate(129);
    EXPECT_EQ(static_cast<DWORD>(DS_SHELLFONT | DS_MODALFRAME | WS_POPUP | WS_CAPTION |
                                 WS_SYSMENU),
              t.style);
    EXPECT_EQ("Vask Viewer", t.caption);
    EXPECT_EQ(0, t.x);
    EXPECT_EQ(0, t.y);
    EXPECT_EQ(458, t.cx);
    EXPECT_EQ(116, t.cy);
    EXPECT_EQ("MS Shell Dlg", t.font);
    EXPECT_EQ(8, t.pointSize);
    EXPECT_EQ(400, t.weight);
    EXPECT_EQ(0, t.italic);
    EXPECT_EQ(1, t.charset);

    const DWORD edit = kChild | ES_LEFT | ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP;
    const DWORD label = kChild | SS_LEFT | WS_GROUP;
    ExpectItems(
        {
            {kChild | BS_DEFPUSHBUTTON | WS_TABSTOP, 286, 95, 50, 14, 1, kButton, "OK"},
            {kChild | BS_PUSHBUTTON | WS_TABSTOP, 344, 95, 50, 14, 2, kButton, "Cancel"},
            {edit, 7, 23, 444, 14, 1000, kEdit, ""},
            {label, 5, 8, 82, 8, -1, kStatic, "Previous Elapsed Time (s)"},
            {label, 7, 79, 18, 8, -1, kStatic, "Vask"},
            {edit, 7, 95, 74, 14, 1001, kEdit, ""},
            {edit | ES_READONLY, 7, 58, 221, 14, 1002, kEdit, ""},
            {label, 7, 42, 83, 8, -1, kStatic, "Previous Elapsed Time (h)"},
            {kChild | BS_PUSHBUTTON | WS_TABSTOP, 401, 95, 50, 14, 1003, kButton, "Apply"},
            {kChild | BS_AUTOCHECKBOX | WS_TABSTOP, 119, 98, 34, 10, 1004, kButton, "Alarm"},
        },
        t.items);
}

// Both icons carry 16 and 32 pixels in 4, 8 and 32 bits per pixel, and 48 pixels in 8 and 32.
TEST(ViewerResourcesTest, IconsCarryEverySizeAndColourDepth)
{
    const std::set<std::pair<int, int>> expected = {{16, 4}, {16, 8}, {16, 32}, {32, 4},
                                                    {32, 8}, {32, 32}, {48, 8}, {48, 32}};
    HMODULE exe = LoadLibraryExA(ViewerExePath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    for (int id : {107, 138}) {
        SCOPED_TRACE(id);
        HRSRC group = FindResourceA(exe, MAKEINTRESOURCEA(id), MAKEINTRESOURCEA(14));
        ASSERT_NE(nullptr, group); // RT_GROUP_ICON
        Reader r(static_cast<const BYTE*>(LockResource(LoadResource(exe, group))));
        r.Word();
        EXPECT_EQ(1, r.Word()) << "icon, not cursor";
        WORD count = r.Word();
        std::set<std::pair<int, int>> forms;
        for (WORD i = 0; i < count; ++i) {
            int width = r.Byte();
            int height = r.Byte();
            r.Byte(); // colour count
            r.Byte();
            r.Word(); // planes
            int bits = r.Word();
            r.Dword(); // size
            WORD image = r.Word();
            EXPECT_EQ(width, height);
            EXPECT_NE(nullptr, FindResourceA(exe, MAKEINTRESOURCEA(image), MAKEINTRESOURCEA(3)));
            forms.insert({width, bits});
        }
        EXPECT_EQ(expected, forms);
        EXPECT_EQ(expected.size(), count);
    }
    FreeLibrary(exe);
}

// The viewer writes HKEY_LOCAL_MACHINE: it must run elevated, never registry-virtualised.
TEST(ViewerResourcesTest, ManifestAsksForAdministratorAndCommonControls6)
{
    HMODULE exe = LoadLibraryExA(ViewerExePath().c_str(), NULL, LOAD_LIBRARY_AS_DATAFILE);
    HRSRC resource = FindResourceA(exe, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24));
    ASSERT_NE(nullptr, resource); // RT_MANIFEST, the process's own manifest
    std::string manifest(static_cast<const char*>(LockResource(LoadResource(exe, resource))),
                         SizeofResource(exe, resource));
    FreeLibrary(exe);
    EXPECT_NE(std::string::npos,
              manifest.find("<requestedExecutionLevel level=\"requireAdministrator\""));
    EXPECT_NE(std::string::npos, manifest.find("name=\"Microsoft.Windows.Common-Controls\" "
                                               "version=\"6.0.0.0\""));
}

} // namespace
