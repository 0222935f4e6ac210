// Dialog templates: the program's four templates read back against the
// resource script, and templates built here for the forms and fields the
// script does not use. Cut or damaged templates are refused.
#include <gtest/gtest.h>
#include <strings.h>

#include <string>
#include <vector>

#include "kernel/resource.h"
#include "user/dialog_template.h"

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

struct Item {
    int id;
    WORD classOrdinal;
    DWORD style;
    short x, y, cx, cy;
    const char* text;  // null: the title is the ordinal below
    WORD titleOrdinal;
};

std::vector<BYTE> Resource(int id)
{
    DWORD size = 0;
    const BYTE* data = ResourceFind(kResourceDialog, MAKEINTRESOURCEA(id), &size);
    EXPECT_NE(data, nullptr) << "dialog " << id;
    return data ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
}

DialogTemplate Parsed(int id)
{
    std::vector<BYTE> data = Resource(id);
    DialogTemplate parsed;
    EXPECT_TRUE(DialogParseTemplate(data.data(), data.size(), &parsed)) << "dialog " << id;
    return parsed;
}

void ExpectItems(const DialogTemplate& parsed, const std::vector<Item>& items)
{
    ASSERT_EQ(parsed.items.size(), items.size());
    for (size_t i = 0; i < items.size(); ++i) {
        const DialogItemTemplate& got = parsed.items[i];
        const Item& want = items[i];
        SCOPED_TRACE("item " + std::to_string(i));
        EXPECT_EQ(got.id, want.id);
        // The resource compiler may write the class by ordinal or by name.
        const char* name = want.classOrdinal == kDialogClassButton ? "BUTTON" : "STATIC";
        if (got.windowClass.isOrdinal)
            EXPECT_EQ(got.windowClass.ordinal, want.classOrdinal);
        else
            EXPECT_EQ(strcasecmp(got.windowClass.text.c_str(), name), 0) << got.windowClass.text;
        EXPECT_EQ(got.style, want.style);
        EXPECT_EQ(got.exStyle, 0u);
        EXPECT_EQ(got.x, want.x);
        EXPECT_EQ(got.y, want.y);
        EXPECT_EQ(got.cx, want.cx);
        EXPECT_EQ(got.cy, want.cy);
        if (want.text) {
            EXPECT_FALSE(got.title.isOrdinal);
            EXPECT_EQ(got.title.text, want.text);
        } else {
            EXPECT_TRUE(got.title.isOrdinal);
            EXPECT_EQ(got.title.ordinal, want.titleOrdinal);
        }
        EXPECT_TRUE(got.creationData.empty());
    }
}

void ExpectFont(const DialogTemplate& parsed, WORD points, WORD weight)
{
    EXPECT_TRUE(parsed.hasFont);
    EXPECT_EQ(parsed.pointSize, points);
    EXPECT_EQ(parsed.weight, weight);
    EXPECT_EQ(parsed.italic, 0);
    EXPECT_EQ(parsed.charset, DEFAULT_CHARSET);
    EXPECT_EQ(parsed.faceName, "ＭＳ Ｐゴシック");
}

// Builds templates word by word, UTF-16 strings from ASCII or UTF-16.
class Builder {
public:
    Builder& Word(WORD value)
    {
        bytes.push_back(static_cast<BYTE>(value));
        bytes.push_back(static_cast<BYTE>(value >> 8));
        return *this;
    }
    Builder& Dword(DWORD value) { return Word(static_cast<WORD>(value)).Word(static_cast<WORD>(value >> 16)); }
    Builder& String(const char16_t* text)
    {
        for (; *text; ++text)
            Word(*text);
        return Word(0);
    }
    Builder& Ordinal(WORD value) { return Word(0xFFFF).Word(value); }
    Builder& Align()
    {
        while (bytes.size() % 4)
            bytes.push_back(0);
        return *this;
    }
    Builder& Bytes(std::initializer_list<BYTE> values)
    {
        bytes.insert(bytes.end(), values);
        return *this;
    }
    std::vector<BYTE> bytes;
};

// An old-form template: DS_SETFONT with its two fields, a menu by
// ordinal, a class by name, and two items (the second after creation data).
std::vector<BYTE> OldTemplate()
{
    Builder b;
    b.Dword(WS_POPUP | WS_CAPTION | DS_SETFONT).Dword(WS_EX_DLGMODALFRAME).Word(2);
    b.Word(10).Word(20).Word(100).Word(50);
    b.Ordinal(7).String(u"MyDialog").String(u"Old \u5f62").Word(8).String(u"Tahoma");
    b.Align().Dword(kChild | BS_PUSHBUTTON).Dword(0).Word(1).Word(2).Word(30).Word(12).Word(static_cast<WORD>(-1));
    b.String(u"button").Ordinal(101).Word(3).Bytes({0xAA, 0xBB, 0xCC});
    b.Align().Dword(kChild).Dword(WS_EX_DLGMODALFRAME).Word(5).Word(6).Word(7).Word(8).Word(9);
    b.Ordinal(0x0002).Word(0).Word(0);
    return b.bytes;
}

// An extended template: a menu by name, a class by ordinal, no font.
std::vector<BYTE> ExtendedTemplate()
{
    Builder b;
    b.Word(1).Word(0xFFFF).Dword(77).Dword(0).Dword(WS_POPUP).Word(1).Word(0).Word(0).Word(40).Word(30);
    b.String(u"MENU").Ordinal(0x8002).Word(0);
    b.Align().Dword(5).Dword(0).Dword(kChild | SS_CENTER).Word(1).Word(1).Word(38).Word(8).Dword(70000);
    b.Ordinal(0x0082).String(u"\u00e9\u2606").Word(0);
    return b.bytes;
}
}  // namespace

TEST(UserDialogTemplate, ScreenSizeDialogIsReadAsTheScriptWroteIt)
{
    DialogTemplate parsed = Parsed(105);
    EXPECT_TRUE(parsed.extended);
    EXPECT_EQ(parsed.style, 0x90C820C4u);
    EXPECT_EQ(parsed.exStyle, static_cast<DWORD>(WS_EX_DLGMODALFRAME | WS_EX_CONTEXTHELP));
    EXPECT_EQ(parsed.helpId, 0u);
    EXPECT_EQ(parsed.x, 0);
    EXPECT_EQ(parsed.y, 0);
    EXPECT_EQ(parsed.cx, 128);
    EXPECT_EQ(parsed.cy, 52);
    EXPECT_FALSE(parsed.menu.present);
    EXPECT_FALSE(parsed.windowClass.present);
    EXPECT_EQ(parsed.title, "画面サイズ設定");
    ExpectFont(parsed, 9, 0);
    const DWORD push = kChild | BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP;
    const DWORD radio = kChild | BS_AUTORADIOBUTTON | WS_TABSTOP;
    ExpectItems(parsed, {{1, kDialogClassButton, push, 72, 12, 50, 14, "OK", 0},
                         {2, kDialogClassButton, push, 72, 32, 50, 14, "取消", 0},
                         {3019, kDialogClassButton, radio, 4, 4, 60, 12, "標準サイズ(&N)", 0},
                         {3020, kDialogClassButton, radio, 4, 20, 60, 12, "640x480(&V)", 0},
                         {3021, kDialogClassButton, radio, 4, 36, 60, 12, "全画面(&F)", 0}});
}

TEST(UserDialogTemplate, QuitDialogHasTheSystemQuestionIconAndTwoButtonsWithIdOne)
{
    DialogTemplate parsed = Parsed(104);
    EXPECT_EQ(parsed.style, 0x90C000C0u);
    EXPECT_EQ(parsed.exStyle, static_cast<DWORD>(WS_EX_DLGMODALFRAME));
    EXPECT_EQ(parsed.cx, 141);
    EXPECT_EQ(parsed.cy, 47);
    EXPECT_EQ(parsed.title, "確認");
    ExpectFont(parsed, 10, 400);
    ExpectItems(parsed, {{-1, kDialogClassStatic, 0x50000003, 0, 0, 32, 32, nullptr, 32514},
                         {3017, kDialogClassStatic, 0x50000001, 41, 5, 58, 8, "", 0},
                         {1, kDialogClassButton, 0x50010000, 5, 31, 40, 12, "はい", 0},
                         {1, kDialogClassButton, 0x50010000, 51, 31, 40, 12, "YES", 0},
                         {3018, kDialogClassButton, 0x50010000, 97, 31, 40, 12, "QUIT", 0}});
}

TEST(UserDialogTemplate, AboutDialogHasNoTitleAndTheProgramsIcon)
{
    DialogTemplate parsed = Parsed(102);
    EXPECT_EQ(parsed.style, 0x90C800C0u);
    EXPECT_EQ(parsed.cx, 120);
    EXPECT_EQ(parsed.cy, 56);
    EXPECT_EQ(parsed.title, "");
    ExpectFont(parsed, 10, 400);
    ExpectItems(parsed, {{-1, kDialogClassStatic, kChild | SS_ICON, 0, 0, 18, 20, nullptr, 101},
                         {3000, kDialogClassStatic, kChild | SS_LEFT, 32, 0, 80, 8, "", 0},
                         {3001, kDialogClassStatic, kChild | SS_LEFT, 10, 22, 100, 8, "", 0},
                         {3002, kDialogClassStatic, kChild | SS_LEFT, 10, 36, 60, 8, "", 0},
                         {1, kDialogClassButton, kChild | WS_TABSTOP, 75, 36, 40, 12, "閉じる", 0}});
}

TEST(UserDialogTemplate, BenchmarkDialogKeepsItsControlsInTheScriptsOrder)
{
    DialogTemplate parsed = Parsed(103);
    EXPECT_EQ(parsed.style, static_cast<DWORD>(WS_POPUP | WS_VISIBLE | WS_CAPTION | DS_MODALFRAME | DS_SETFONT |
                                               DS_3DLOOK));
    EXPECT_EQ(parsed.cx, 140);
    EXPECT_EQ(parsed.cy, 160);
    EXPECT_EQ(parsed.title, "動作テスト");
    ExpectFont(parsed, 9, 0);
    const DWORD group = kChild | BS_GROUPBOX;
    const DWORD push = kChild | BS_PUSHBUTTON | BS_CENTER | WS_TABSTOP;
    const WORD button = kDialogClassButton, label = kDialogClassStatic;
    ExpectItems(parsed, {{-1, button, group, 0, 0, 140, 68, "メモリ転送", 0},
                         {3004, button, push, 8, 12, 50, 14, "コピー", 0},
                         {3003, button, push, 8, 38, 50, 14, "初期化", 0},
                         {3006, button, push, 80, 12, 50, 14, "MMXコピー", 0},
                         {3005, button, push, 80, 38, 50, 14, "MMX初期化", 0},
                         {-1, button, group, 0, 71, 140, 68, "描画", 0},
                         {3009, button, push, 8, 82, 50, 14, "DDB to DIB", 0},
                         {3008, button, push, 80, 82, 50, 14, "DIB to DDB", 0},
                         {3007, button, push, 8, 108, 50, 14, "DIB to DC", 0},
                         {1, button, push, 80, 144, 50, 14, "閉じる", 0},
                         {3016, label, kChild, 8, 28, 50, 8, "", 0},
                         {3014, label, kChild, 8, 56, 50, 8, "", 0},
                         {3015, label, kChild, 80, 28, 50, 8, "", 0},
                         {3013, label, kChild, 80, 56, 50, 8, "", 0},
                         {3011, label, kChild, 8, 100, 50, 8, "", 0},
                         {3012, label, kChild, 80, 100, 50, 8, "", 0},
                         {3010, label, kChild, 8, 126, 50, 8, "", 0}});
}

TEST(UserDialogTemplate, TheOldFormAndEveryKindOfNameAreRead)
{
    std::vector<BYTE> data = OldTemplate();
    DialogTemplate parsed;
    ASSERT_TRUE(DialogParseTemplate(data.data(), data.size(), &parsed));
    EXPECT_FALSE(parsed.extended);
    EXPECT_EQ(parsed.style, static_cast<DWORD>(WS_POPUP | WS_CAPTION | DS_SETFONT));
    EXPECT_EQ(parsed.exStyle, static_cast<DWORD>(WS_EX_DLGMODALFRAME));
    EXPECT_EQ(parsed.x, 10);
    EXPECT_EQ(parsed.cy, 50);
    EXPECT_TRUE(parsed.menu.isOrdinal);
    EXPECT_EQ(parsed.menu.ordinal, 7);
    EXPECT_FALSE(parsed.windowClass.isOrdinal);
    EXPECT_EQ(parsed.windowClass.text, "MyDialog");
    EXPECT_EQ(parsed.title, "Old 形") << "UTF-16 to code page 932";
    EXPECT_EQ(parsed.pointSize, 8);
    EXPECT_EQ(parsed.faceName, "Tahoma");
    ASSERT_EQ(parsed.items.size(), 2u);
    EXPECT_EQ(parsed.items[0].id, -1) << "the old form's WORD id, sign-extended";
    EXPECT_EQ(parsed.items[0].windowClass.text, "button");
    EXPECT_TRUE(parsed.items[0].title.isOrdinal);
    EXPECT_EQ(parsed.items[0].title.ordinal, 101);
    EXPECT_EQ(parsed.items[0].creationData, (std::vector<BYTE>{0xAA, 0xBB, 0xCC}));
    EXPECT_EQ(parsed.items[1].style, kChild) << "the second item starts on the next DWORD";
    EXPECT_EQ(parsed.items[1].exStyle, static_cast<DWORD>(WS_EX_DLGMODALFRAME));
    EXPECT_EQ(parsed.items[1].x, 5);
    EXPECT_EQ(parsed.items[1].id, 9);
    EXPECT_TRUE(parsed.items[1].windowClass.isOrdinal);
    EXPECT_EQ(parsed.items[1].windowClass.ordinal, 2);
    EXPECT_FALSE(parsed.items[1].title.present);

    data = ExtendedTemplate();
    ASSERT_TRUE(DialogParseTemplate(data.data(), data.size(), &parsed));
    EXPECT_TRUE(parsed.extended);
    EXPECT_EQ(parsed.helpId, 77u);
    EXPECT_FALSE(parsed.hasFont) << "no DS_SETFONT, no font block";
    EXPECT_EQ(parsed.menu.text, "MENU");
    EXPECT_EQ(parsed.windowClass.ordinal, 0x8002);
    EXPECT_EQ(parsed.title, "");
    ASSERT_EQ(parsed.items.size(), 1u);
    EXPECT_EQ(parsed.items[0].helpId, 5u);
    EXPECT_EQ(parsed.items[0].id, 70000) << "the extended form's DWORD id";
    EXPECT_EQ(parsed.items[0].title.text, "?☆") << "code page 932 has no e-acute";
}

TEST(UserDialogTemplate, EveryCutTemplateIsRefused)
{
    std::vector<std::vector<BYTE>> templates = {Resource(102), Resource(103), Resource(104), Resource(105),
                                                OldTemplate(), ExtendedTemplate()};
    for (const std::vector<BYTE>& data : templates) {
        // Trailing padding may go; the last item's last field may not.
        size_t end = data.size();
        while (end > 0 && data[end - 1] == 0 && end % 2 == 0 && data.size() - end < 3)
            --end;
        DialogTemplate parsed;
        for (size_t size = 0; size + 2 < end; ++size) {
            std::vector<BYTE> cut(data.begin(), data.begin() + static_cast<ptrdiff_t>(size));
            EXPECT_FALSE(DialogParseTemplate(cut.data(), cut.size(), &parsed)) << size << " of " << data.size();
        }
    }
    DialogTemplate parsed;
    EXPECT_FALSE(DialogParseTemplate(nullptr, 10, &parsed));
}

TEST(UserDialogTemplate, DamagedCountsAndStringsAreRefused)
{
    std::vector<BYTE> data = Resource(105);
    DialogTemplate parsed;
    // cDlgItems (after dlgVer, signature, helpID, exStyle, style) says more
    // items than there are bytes for.
    std::vector<BYTE> damaged = data;
    damaged[16] = 0xFF;
    damaged[17] = 0xFF;
    EXPECT_FALSE(DialogParseTemplate(damaged.data(), damaged.size(), &parsed));
    damaged = data;
    damaged[16] = 6;  // one item more than there is
    EXPECT_FALSE(DialogParseTemplate(damaged.data(), damaged.size(), &parsed));

    // A title with no terminating NUL in the data.
    Builder b;
    b.Word(1).Word(0xFFFF).Dword(0).Dword(0).Dword(WS_POPUP).Word(0).Word(0).Word(0).Word(1).Word(1);
    b.Word(0).Word(0).Word('a').Word('b');
    EXPECT_FALSE(DialogParseTemplate(b.bytes.data(), b.bytes.size(), &parsed));
    b.Word(0);
    EXPECT_TRUE(DialogParseTemplate(b.bytes.data(), b.bytes.size(), &parsed));
    EXPECT_EQ(parsed.title, "ab");
}
