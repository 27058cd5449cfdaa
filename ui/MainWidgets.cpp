#include "ui/MainWidgets.h"
#include "app/AppMessages.h"
#include "res/resource.h"
#include "ui/widgets/CFlatButton.h"
#include "ui/widgets/CSystemTray.h"
#include <array>

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

constexpr const wchar_t* kTrayTip = L"Tidemark 1.0";
constexpr const wchar_t* kTrayTooltip =
    L"Tidemarker\nLeft click -> Show Tidemarker\nRight click -> Context menu";

}  // namespace

struct MainWidgets::Parts {
    std::array<CFlatButton, std::size(kButtons)> buttons;
    CButtonTips tips;
    CSplitterBar splitter;
    CSystemTray tray;
};

MainWidgets::MainWidgets() : m_parts(std::make_unique<Parts>()) {}
MainWidgets::~MainWidgets() = default;

void MainWidgets::AttachButtons(HWND dialog) {
    for (size_t i = 0; i < std::size(kButtons); ++i)
        m_parts->buttons[i].Attach(dialog, kButtons[i].id, kButtons[i].icon);
    if (!m_parts->tips.Create(dialog)) return;
    for (const ButtonTip& t : kTips) m_parts->tips.Add(t.id, t.text);
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

void MainWidgets::CreateTray(HWND dialog, HICON icon) {
    if (m_parts->tray.Create(dialog, WM_TRAY_NOTIFY, kTrayTip, icon, 0))
        m_parts->tray.SetTooltipText(kTrayTooltip);
}

void MainWidgets::RemoveTrayIcon() { m_parts->tray.RemoveIcon(); }
