#include "ui/MainWidgets.h"
#include "app/AppMessages.h"
#include "res/resource.h"
#include "ui/widgets/BCMenu.h"
#include "ui/widgets/CFlatButton.h"
#include "ui/widgets/CSystemTray.h"
#include "framework/AccessibleName.h"
#include "framework/CWnd.h"
#include "framework/WindowDpi.h"
#include <commctrl.h>
#include <array>
#include <string>
#include <utility>

namespace {

struct ButtonIcon {
    int id, icon;
};
const ButtonIcon kButtons[] = {
    {IDC_FOLDER_NEW, IDI_BTN_NEW},         {IDC_FOLDER_EDIT, IDI_BTN_EDIT},
    {IDC_FOLDER_DELETE, IDI_BTN_DELETE},   {IDC_FAVOR_NEW, IDI_BTN_NEW},
    {IDC_FAVOR_EDIT, IDI_BTN_EDIT},        {IDC_FAVOR_DELETE, IDI_BTN_DELETE},
    {IDC_IMPORT, IDI_BTN_IMPORT},          {IDC_EXPORT, IDI_BTN_EXPORT},
    {IDC_TO_QUICKPANEL, IDI_BTN_QUICKPANEL}, {IDC_SAVE_DETAILS, IDI_BTN_SAVE},
    {IDC_SEARCH_BUTTON, IDI_BTN_SEARCH},   {IDC_MAGIC_ADD, IDI_BTN_MAGICADD},
    {IDC_MOST_VISITED, IDI_BTN_MOSTVISITED}, {IDC_LATEST_VISITED, IDI_BTN_LATESTVISITED},
    {IDC_TO_BROWSER_TOP, IDI_BTN_BROWSER}, {IDC_TO_BROWSER_BOTTOM, IDI_BTN_BROWSER},
};

struct ButtonTip {
    int id;
    const wchar_t* text;
};
const ButtonTip kTips[] = {
    {IDC_FOLDER_NEW, L"Add a new folder."},       {IDC_FOLDER_EDIT, L"Edit the selected folder."},
    {IDC_FOLDER_DELETE, L"Delete the selected folder."}, {IDC_FAVOR_NEW, L"Add a new favorite."},
    {IDC_FAVOR_EDIT, L"Edit the selected favorite."},    {IDC_FAVOR_DELETE, L"Delete the selected favorites."},
    {IDC_SAVE_DETAILS, L"Save the changes."},
};

// What a screen reader calls the controls whose text does not say it (icon buttons, two
// "New" buttons, the search box, the panes).
const ButtonTip kNames[] = {
    {IDC_FOLDER_NEW, L"New Folder"},          {IDC_FOLDER_EDIT, L"Edit Folder"},
    {IDC_FOLDER_DELETE, L"Delete Folder"},    {IDC_FAVOR_NEW, L"New Favorite"},
    {IDC_FAVOR_EDIT, L"Edit Favorite"},       {IDC_FAVOR_DELETE, L"Delete Favorites"},
    {IDC_IMPORT, L"Import"},                  {IDC_EXPORT, L"Export"},
    {IDC_TO_QUICKPANEL, L"Quick Panel"},      {IDC_SEARCH_BUTTON, L"Run Search"},
    {IDC_SEARCH_EDIT, L"Search"},             {IDC_FOLDER_TREE, L"Folders"},
    {IDC_FAVOR_LIST, L"Favorites"},           {IDC_DETAILS_TOGGLE, L"Show or Hide Details"},
    {IDC_SAVE_DETAILS, L"Save"},              {IDC_MAGIC_ADD, L"Magic Add"},
    {IDC_MOST_VISITED, L"Most Visited"},      {IDC_LATEST_VISITED, L"Latest Visited"},
    {IDC_TO_BROWSER_TOP, L"Favor Browser"},   {IDC_TO_BROWSER_BOTTOM, L"Favor Browser"},
    {IDC_FOLDER_COMBO, L"Folder"},            {IDC_SPLITTER, L"Folder Pane Width"},
};

// The details fields are called what their labels say.
const std::pair<int, int> kLabelledFields[] = {
    {IDC_DETAIL_NAME, IDC_LABEL_NAME}, {IDC_DETAIL_LOCATION, IDC_LABEL_LOCATION}, {IDC_DETAIL_TAGS, IDC_LABEL_TAGS},
    {IDC_DETAIL_HITS, IDC_LABEL_HITS}, {IDC_DETAIL_LASTHIT, IDC_LABEL_LASTHIT},
};

// "&Name:" -> "Name"
std::wstring LabelName(const std::wstring& label) {
    std::wstring name;
    for (wchar_t c : label)
        if (c != L'&') name += c;
    while (!name.empty() && (name.back() == L':' || name.back() == L' ')) name.pop_back();
    return name;
}

constexpr const wchar_t* kTrayTip = L"Tidemark 1.0";
constexpr const wchar_t* kTrayTooltip =
    L"Tidemarker\nLeft click -> Show Tidemarker\nRight click -> Context menu";

constexpr int kTreeRowExtra = 3;  // the tree's rows are this much taller than the default

void DestroyImages(HIMAGELIST images) { ImageList_Destroy(images); }
using OwnedImages = fw::Owned<HIMAGELIST, &DestroyImages>;

// The folder and favorite icons (images 0 and 1) at one size.
OwnedImages PaneImages(int size) {
    OwnedImages images(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 5, 1));
    if (!images) return images;
    for (int id : {IDI_FOLDER, IDI_FAVOR}) {
        fw::OwnedIcon icon(fw::LoadIconAtSize(id, size));
        if (icon) ImageList_AddIcon(images.get(), icon.get());
    }
    return images;
}

BOOL CALLBACK SetFontOfChild(HWND child, LPARAM font) {
    SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
    return TRUE;
}

}  // namespace

struct MainWidgets::Parts {
    std::array<CFlatButton, std::size(kButtons)> buttons;
    CButtonTips tips;
    CSplitterBar splitter;
    CSystemTray tray;
    fw::OwnedIcon trayIcon, bigIcon, smallIcon;
    LOGFONTW templateFont{};
    int templateDpi = 0;  // 0: no template font known
    fw::OwnedFont font;   // the template font at another scale, once the scale changed
    OwnedImages images;
    COwnerDrawnMenu darkMenuBar;
};

MainWidgets::MainWidgets() : m_parts(std::make_unique<Parts>()) {}
MainWidgets::~MainWidgets() = default;

void MainWidgets::AttachButtons(HWND dialog) {
    for (size_t i = 0; i < std::size(kButtons); ++i)
        m_parts->buttons[i].Attach(dialog, kButtons[i].id, kButtons[i].icon);
    if (!m_parts->tips.Create(dialog)) return;
    for (const ButtonTip& t : kTips) m_parts->tips.Add(t.id, t.text);
}

void MainWidgets::NameControls(HWND dialog) {
    for (const ButtonTip& n : kNames) fw::SetAccessibleName(GetDlgItem(dialog, n.id), n.text);
    for (const auto& [field, label] : kLabelledFields)
        fw::SetAccessibleName(GetDlgItem(dialog, field), LabelName(fw::WindowText(GetDlgItem(dialog, label))));
}

void MainWidgets::CreateSplitter(HWND dialog) {
    HWND placeholder = GetDlgItem(dialog, IDC_SPLITTER);
    RECT rc{};
    if (placeholder) {
        GetWindowRect(placeholder, &rc);
        MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&rc), 2);
        DestroyWindow(placeholder);  // one window per id
    }
    m_parts->splitter.Create(dialog, rc, IDC_SPLITTER);
}

void MainWidgets::SetSplitterRange(int minX, int maxX) { m_parts->splitter.SetRange(minX, maxX); }

void MainWidgets::CreateTray(HWND dialog) {
    // The notification area draws at the scale the system started with.
    m_parts->trayIcon.reset(fw::LoadIconAtSize(IDR_MAINFRAME, GetSystemMetrics(SM_CXSMICON)));
    if (m_parts->tray.Create(dialog, WM_TRAY_NOTIFY, kTrayTip, m_parts->trayIcon.get(), 0))
        m_parts->tray.SetTooltipText(kTrayTooltip);
}

void MainWidgets::RemoveTrayIcon() { m_parts->tray.RemoveIcon(); }

void MainWidgets::KeepTemplateFont(HWND dialog, int dpi) {
    auto font = reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0));
    if (font && GetObjectW(font, sizeof(LOGFONTW), &m_parts->templateFont)) m_parts->templateDpi = dpi;
}

void MainWidgets::ApplyDpi(HWND dialog, HWND tree, HWND list, int dpi) {
    Parts& p = *m_parts;
    if (p.templateDpi && (p.font || dpi != p.templateDpi)) {
        // As the dialog manager makes a template's font: its size in points at the new scale.
        LOGFONTW lf = p.templateFont;
        const int points = MulDiv(lf.lfHeight < 0 ? -lf.lfHeight : lf.lfHeight, 72, p.templateDpi);
        lf.lfHeight = -MulDiv(points, dpi, 72);
        fw::OwnedFont font(CreateFontIndirectW(&lf));
        if (font) {
            EnumChildWindows(dialog, &SetFontOfChild, reinterpret_cast<LPARAM>(font.get()));
            p.font = std::move(font);  // the previous font is no longer used by any control
        }
    }
    for (CFlatButton& b : p.buttons) b.SetDpi(dpi);

    OwnedImages images = PaneImages(fw::SmallIconSizeForDpi(dpi));
    TreeView_SetImageList(tree, images.get(), TVSIL_NORMAL);
    ListView_SetImageList(list, images.get(), LVSIL_SMALL);
    p.images = std::move(images);
    TreeView_SetItemHeight(tree, -1);  // the default for the new font and icons, then taller
    TreeView_SetItemHeight(tree, TreeView_GetItemHeight(tree) + fw::ScaleToDpi(kTreeRowExtra, dpi));

    // The window's icons: the new ones are set before the old ones go.
    fw::OwnedIcon bigIcon(fw::LoadIconAtSize(IDR_MAINFRAME, fw::SystemMetricForDpi(SM_CXICON, dpi)));
    fw::OwnedIcon smallIcon(fw::LoadIconAtSize(IDR_MAINFRAME, fw::SystemMetricForDpi(SM_CXSMICON, dpi)));
    SendMessageW(dialog, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.get()));
    SendMessageW(dialog, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.get()));
    p.bigIcon = std::move(bigIcon);
    p.smallIcon = std::move(smallIcon);
}

void MainWidgets::FollowScheme(HMENU menuBar, bool dark, int dpi) {
    if (dark) m_parts->darkMenuBar.Adopt(menuBar, true, dpi);
    else m_parts->darkMenuBar.Release();
}
