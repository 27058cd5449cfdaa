#include "transfer/SafeFileName.h"
#include <gtest/gtest.h>

TEST(SafeFileName, KeepsValidNamesAndMapsTheRest) {
    const struct { const wchar_t* name; const wchar_t* ext; const wchar_t* safe; } cases[] = {
        {L"News", L"", L"News"},
        {L"Caf\u00e9 \u4f8b ..x", L"", L"Caf\u00e9 \u4f8b ..x"},
        {L"a/b\\c", L"", L"a_b_c"},
        {L"..", L"", L"__"},
        {L".", L"", L"_"},
        {L"..\\..\\evil", L"", L".._.._evil"},
        {L"Wait...", L"", L"Wait___"},
        {L"Wait...", L".url", L"Wait..."},  // "Wait....url" is a fine file name
        {L"..", L".url", L".."},
        {L"trailing ", L"", L"trailing_"},
        {L"C:\\Windows", L"", L"C__Windows"},
        {L"what? \"quoted\" <a|b> *", L".url", L"what_ _quoted_ _a_b_ _"},
        {L"tab\there\n", L"", L"tab_here_"},
        {L"", L"", L"_"},
        {L"", L".url", L"_"},
        {L"con", L"", L"_con"},
        {L"CON", L".url", L"_CON"},
        {L"nul.txt", L"", L"_nul.txt"},
        {L"COM1", L"", L"_COM1"},
        {L"COM0", L"", L"COM0"},
        {L"Console", L"", L"Console"},
    };
    for (const auto& c : cases) EXPECT_EQ(SafeFileName(c.name, c.ext), c.safe) << c.name;
}
