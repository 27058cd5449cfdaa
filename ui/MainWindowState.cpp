#include "ui/MainWindowState.h"
#include "edits/FavorEdits.h"
#include "res/resource.h"

namespace {

const int kNameRow[] = {IDC_LABEL_NAME, IDC_DETAIL_NAME, IDC_SAVE_DETAILS};
const int kOtherRows[] = {IDC_LABEL_LOCATION, IDC_DETAIL_LOCATION, IDC_LABEL_TAGS, IDC_DETAIL_TAGS,
                          IDC_LABEL_HITS,     IDC_DETAIL_HITS,     IDC_LABEL_LASTHIT, IDC_DETAIL_LASTHIT};

template <size_t N>
void ShowIds(HWND dialog, const int (&ids)[N], bool show) {
    for (int id : ids)
        if (HWND h = GetDlgItem(dialog, id)) ShowWindow(h, show ? SW_SHOW : SW_HIDE);
}

}  // namespace

void CDetailsPane::Show(DetailsShown shown) {
    if (shown == m_shown || shown == DetailsShown::Unknown || !m_dialog) return;
    ShowIds(m_dialog, kNameRow, shown != DetailsShown::None);
    ShowIds(m_dialog, kOtherRows, shown == DetailsShown::All);
    m_shown = shown;
}

void CDetailsPane::ShowFor(DetailsKind kind) {
    switch (kind) {
    case DetailsKind::Folder: Show(DetailsShown::NameRow); break;
    case DetailsKind::Favor: Show(DetailsShown::All); break;
    default: Show(DetailsShown::None); break;
    }
}

CPaneCommands::CPaneCommands(FavorEdits& edits, MainWindowState& state, CDetailsPane& details, CFolderTreeCtrl& tree,
                             CFavorListCtrl& list)
    : m_edits(edits), m_store(edits.Store()), m_state(state), m_details(details), m_tree(tree), m_list(list) {}
