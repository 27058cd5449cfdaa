// What a screen reader says for each control of the main window, read through MSAA as a
// screen reader reads it.
#include "gui/mainwnd/MainWindowHost.h"
#include "framework/SdkExtras.h"
#include <oleacc.h>

namespace {

std::wstring AccessibleName(HWND control) {
    IAccessible* object = nullptr;
    if (FAILED(AccessibleObjectFromWindow(control, OBJID_CLIENT, kIidAccessible, reinterpret_cast<void**>(&object))))
        return L"(no object)";
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    std::wstring text = SUCCEEDED(object->get_accName(self, &name)) && name ? name : L"";
    SysFreeString(name);
    object->Release();
    return text;
}

}  // namespace

TEST_F(MainWindowTest, ScreenReadersHearWhatEachControlDoes) {
    Open(true);
    const std::pair<int, const wchar_t*> named[] = {
        {IDC_FOLDER_NEW, L"New Folder"},     {IDC_FAVOR_NEW, L"New Favorite"},  {IDC_FAVOR_DELETE, L"Delete Favorites"},
        {IDC_SEARCH_BUTTON, L"Run Search"},  {IDC_SEARCH_EDIT, L"Search"},      {IDC_FOLDER_TREE, L"Folders"},
        {IDC_FAVOR_LIST, L"Favorites"},      {IDC_DETAIL_NAME, L"Name"},        {IDC_DETAIL_LASTHIT, L"Last Visit Time"},
        {IDC_SPLITTER, L"Folder Pane Width"},
    };
    for (const auto& [id, name] : named) EXPECT_EQ(AccessibleName(Item(id)), name) << id;

    // A Quick Panel too narrow for the button's text still names it.
    Command(IDC_TO_QUICKPANEL);
    SetWindowPos(Main(), nullptr, 0, 0, 310, 300, SWP_NOZORDER | SWP_NOMOVE);
    ASSERT_EQ(Text(IDC_TO_BROWSER_TOP), L"");
    EXPECT_EQ(AccessibleName(Item(IDC_TO_BROWSER_TOP)), L"Favor Browser");
    EXPECT_EQ(AccessibleName(Item(IDC_FOLDER_COMBO)), L"Folder");
}
