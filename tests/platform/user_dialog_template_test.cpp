// Dialog templates: the program's four are read whole (the dialog and game
// tests run them), a template built here covers the fields the resource
// script does not use, and the old form and cut or damaged templates are
// refused.
#include <gtest/gtest.h>

#include <vector>

#include "kernel/resource.h"
#include "user/dialog_template.h"

namespace {
constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;

std::vector<BYTE> Resource(int id)
{
    DWORD size = 0;
    const BYTE* data = ResourceFind(kResourceDialog, MAKEINTRESOURCEA(id), &size);
    EXPECT_NE(data, nullptr) << "dialog " << id;
    return data ? std::vector<BYTE>(data, data + size) : std::vector<BYTE>();
}

// Builds templates word by word, UTF-16 strings from ASCII or UTF-16.
struct Builder {
    Builder& Word(WORD value) { return Bytes({static_cast<BYTE>(value), static_cast<BYTE>(value >> 8)}); }
    Builder& Dword(DWORD value) { return Word(static_cast<WORD>(value)).Word(static_cast<WORD>(value >> 16)); }
    Builder& Ordinal(WORD value) { return Word(0xFFFF).Word(value); }
    Builder& String(const char16_t* text)
    {
        for (; *text; ++text)
            Word(*text);
        return Word(0);
    }
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

// An extended template: a menu by name, a class by ordinal, no font, and
// an item whose creation data is passed over.
std::vector<BYTE> ExtendedTemplate()
{
    Builder b;
    b.Word(1).Word(0xFFFF).Dword(77).Dword(0).Dword(WS_POPUP).Word(1).Word(0).Word(0).Word(40).Word(30);
    b.String(u"MENU").Ordinal(0x8002).Word(0);
    b.Align().Dword(5).Dword(0).Dword(kChild | SS_CENTER).Word(1).Word(1).Word(38).Word(8).Dword(70000);
    b.Ordinal(0x0082).String(u"\u00e9\u2606").Word(3).Bytes({0xAA, 0xBB, 0xCC});
    return b.bytes;
}
}  // namespace

TEST(UserDialogTemplate, EveryKindOfNameIsReadAndTheOldFormIsRefused)
{
    std::vector<BYTE> data = ExtendedTemplate();
    DialogTemplate parsed;
    ASSERT_TRUE(DialogParseTemplate(data.data(), data.size(), &parsed));
    EXPECT_EQ(parsed.style, static_cast<DWORD>(WS_POPUP));
    EXPECT_FALSE(parsed.hasFont) << "no DS_SETFONT, no font block";
    EXPECT_FALSE(parsed.menu.isOrdinal);
    EXPECT_EQ(parsed.menu.text, "MENU");
    EXPECT_TRUE(parsed.windowClass.isOrdinal);
    EXPECT_EQ(parsed.windowClass.ordinal, 0x8002);
    EXPECT_EQ(parsed.title, "");
    ASSERT_EQ(parsed.items.size(), 1u);
    EXPECT_EQ(parsed.items[0].style, static_cast<DWORD>(kChild | SS_CENTER));
    EXPECT_EQ(parsed.items[0].id, 70000) << "a DWORD id";
    EXPECT_EQ(parsed.items[0].windowClass.ordinal, 0x0082);
    EXPECT_EQ(parsed.items[0].title.text, "?☆") << "code page 932 has no e-acute";

    data = Resource(105);
    ASSERT_TRUE(DialogParseTemplate(data.data(), data.size(), &parsed));
    EXPECT_EQ(parsed.title, "画面サイズ設定");
    EXPECT_EQ(parsed.pointSize, 9);
    EXPECT_EQ(parsed.faceName, "ＭＳ Ｐゴシック");
    ASSERT_EQ(parsed.items.size(), 5u);
    EXPECT_EQ(parsed.items[3].title.text, "640x480(&V)");

    // The old form: style and extended style, no version or signature.
    Builder old;
    old.Dword(WS_POPUP).Dword(0).Word(0).Word(0).Word(0).Word(40).Word(30).Word(0).Word(0).Word(0);
    EXPECT_FALSE(DialogParseTemplate(old.bytes.data(), old.bytes.size(), &parsed));
}

TEST(UserDialogTemplate, EveryTemplateIsReadWholeAndRefusedCut)
{
    std::vector<std::vector<BYTE>> templates = {Resource(102), Resource(103), Resource(104), Resource(105),
                                                ExtendedTemplate()};
    for (const std::vector<BYTE>& data : templates) {
        DialogTemplate parsed;
        EXPECT_TRUE(DialogParseTemplate(data.data(), data.size(), &parsed)) << "whole, " << data.size() << " bytes";
        // Trailing padding may go; the last item's last field may not.
        size_t end = data.size();
        while (end > 0 && data[end - 1] == 0 && end % 2 == 0 && data.size() - end < 3)
            --end;
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
