#include "ui/dialogs/CSyncPage.h"
#include "app/CAppSettings.h"
#include "app/SettingsCodec.h"
#include "framework/DataExchange.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "sync/SyncPassword.h"
#include "sync/SyncTexts.h"
#include "ui/dialogs/FolderChooser.h"

namespace {

constexpr wchar_t kBadUrl[] = L"The server folder must be an address that begins with https:// (or http://).";
constexpr wchar_t kBadFile[] = L"The file name must not be empty nor hold / \\ ? # or %.";
constexpr wchar_t kPasswordNotKept[] =
    L"Windows did not keep the password in its Credential Manager, so syncs cannot send it.";

bool IsUsableFileName(const std::wstring& name) {
    return !name.empty() && name.find_first_of(L"/\\?#%") == std::wstring::npos && name != L"." && name != L"..";
}

}  // namespace

const fw::MapEntry<CSyncPage> CSyncPage::kMap[] = {
    fw::OnCommand(IDC_SYNC_URL, EN_CHANGE, &Self::OnChanged),
    fw::OnCommand(IDC_SYNC_USER, EN_CHANGE, &Self::OnChanged),
    fw::OnCommand(IDC_SYNC_PASSWORD, EN_CHANGE, &Self::OnChanged),
    fw::OnCommand(IDC_SYNC_FILE, EN_CHANGE, &Self::OnChanged),
    fw::OnCommand(IDC_SYNC_MINUTES, EN_CHANGE, &Self::OnChanged),
    fw::OnCommand(IDC_SYNC_FOLDER, CBN_SELCHANGE, &Self::OnChanged),
    fw::OnCommand(IDC_SYNC_AUTO, BN_CLICKED, &Self::OnChanged),
    fw::OnCommand(IDC_SYNC_NOW, BN_CLICKED, &Self::OnSyncNow),
    fw::OnMessage(WM_DESTROY, &Self::OnDestroy),
};
bool CSyncPage::Dispatch(const fw::Msg& m, LRESULT& result) {
    return fw::RunMap(*this, kMap, m, result) || CPropertyPage::Dispatch(m, result);
}

CSyncPage::CSyncPage(CAppSettings& settings, ISyncControl& sync, const FolderRecord& root)
    : CPropertyPage(IDD_PREF_SYNC), m_settings(settings), m_sync(sync), m_root(root) {}

CSyncPage::~CSyncPage() { m_sync.SetResultListener({}); }

BOOL CSyncPage::OnInitDialog() {
    m_filling = true;
    const SyncSettings s = m_settings.ReadSyncSettings();
    SetItemText(IDC_SYNC_URL, s.url);
    SetItemText(IDC_SYNC_USER, s.user);
    SetItemText(IDC_SYNC_PASSWORD, s.url.empty() ? std::wstring() : LoadSyncPassword(s.url).value_or(L""));
    SetItemText(IDC_SYNC_FILE, s.file);
    PrepareFolderChooser(Item(IDC_SYNC_FOLDER), &m_root, -1, s.folder);
    fw::DdxIntToField(m_hwnd, IDC_SYNC_MINUTES, s.minutes);
    CheckDlgButton(m_hwnd, IDC_SYNC_AUTO, s.enabled ? BST_CHECKED : BST_UNCHECKED);
    SetItemText(IDC_SYNC_RESULT, m_sync.LastResult());
    m_sync.SetResultListener([this](const std::wstring& line) { SetItemText(IDC_SYNC_RESULT, line); });
    m_filling = false;
    return TRUE;
}

LRESULT CSyncPage::OnDestroy(const fw::Msg& m) {
    m_sync.SetResultListener({});
    m.passOn = true;
    return 0;
}

LRESULT CSyncPage::OnChanged(const fw::Msg&) {
    if (!m_filling) SetModified(true);
    return 0;
}

std::wstring CSyncPage::Field(int id) const {
    std::wstring text = ItemText(id);
    const size_t first = text.find_first_not_of(L" \t"), last = text.find_last_not_of(L" \t");
    return first == std::wstring::npos ? std::wstring() : text.substr(first, last - first + 1);
}

bool CSyncPage::Validate(int& minutes) const {
    using settings::kMinSyncMinutes, settings::kMaxSyncMinutes;
    if (!fw::DdxIntFromField(m_hwnd, IDC_SYNC_MINUTES, kMinSyncMinutes, kMaxSyncMinutes, minutes)) return false;
    const struct { bool bad; int id; const wchar_t* text; } checks[] = {
        {!Field(IDC_SYNC_URL).empty() && !synctexts::IsServerUrl(Field(IDC_SYNC_URL)), IDC_SYNC_URL, kBadUrl},
        {!IsUsableFileName(Field(IDC_SYNC_FILE)), IDC_SYNC_FILE, kBadFile},
    };
    for (const auto& c : checks) {
        if (!c.bad) continue;
        seams::MessageBox(m_hwnd, c.text, synctexts::kCaption, MB_OK | MB_ICONEXCLAMATION);
        SetFocus(Item(c.id));
        return false;
    }
    return true;
}

bool CSyncPage::OnKillActive() {
    int minutes = 0;
    return Validate(minutes);
}

// A new plain-http address to another machine is asked for once, here; the one stored
// counts as asked for. The password of an address given up goes with it, and so does a
// certificate trusted for it.
bool CSyncPage::OnApply() {
    int minutes = 0;
    if (!Validate(minutes)) return false;
    const SyncSettings before = m_settings.ReadSyncSettings();
    SyncSettings s = before;
    s.url = Field(IDC_SYNC_URL);
    s.user = Field(IDC_SYNC_USER);
    s.file = Field(IDC_SYNC_FILE);
    s.folder = ChosenFolderId(Item(IDC_SYNC_FOLDER));
    s.minutes = minutes;
    s.enabled = IsDlgButtonChecked(m_hwnd, IDC_SYNC_AUTO) == BST_CHECKED;
    if (s.url != before.url && synctexts::IsPlainHttpToOtherHost(s.url) &&
        seams::MessageBox(m_hwnd, synctexts::PlainHttpQuestion(s.url), synctexts::kCaption,
                          MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES) {
        SetFocus(Item(IDC_SYNC_URL));
        return false;
    }
    if (s.url != before.url) {
        if (!before.url.empty()) DeleteSyncPassword(before.url);
        s.trustedCertificate.clear();
    }
    const std::wstring password = ItemText(IDC_SYNC_PASSWORD);
    if (!s.url.empty() && !password.empty() && !SaveSyncPassword(s.url, s.user, password))
        seams::MessageBox(m_hwnd, kPasswordNotKept, synctexts::kCaption, MB_OK | MB_ICONEXCLAMATION);
    if (!s.url.empty() && password.empty()) DeleteSyncPassword(s.url);
    m_settings.WriteSyncSettings(s);
    m_sync.SettingsChanged();
    return true;
}

// What the page shows is what the sync uses: the page is applied first.
LRESULT CSyncPage::OnSyncNow(const fw::Msg&) {
    if (!OnApply()) return 0;
    SetModified(false);
    m_sync.SyncNow();
    return 0;
}
