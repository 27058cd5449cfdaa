#include "ui/CClipboardCommands.h"
#include "dnd/DropTargets.h"
#include "edits/FavorEdits.h"
#include "framework/Seams.h"
#include "res/resource.h"
#include "store/CFavorStore.h"
#include "ui/CFavorListCtrl.h"
#include "ui/CFolderTreeCtrl.h"
#include "ui/MainTexts.h"
#include "ui/PastedText.h"
#include "ui/StoreProblems.h"

namespace {

constexpr wchar_t kPaste[] = L"Paste";
constexpr wchar_t kNothingToPaste[] =
    L"The clipboard holds no location. Copy a link or a web address, then paste it to add it as a favorite.";

// What the clipboard offers as links: shortcut files, virtual shortcut files (copied
// favorites, links from a browser), or text that is nothing but locations.
std::optional<std::vector<DroppedLink>> LinksOnClipboard(IDataObject* data) {
    if (fw::HasFormat(data, CF_HDROP)) {
        auto files = ReadDroppedShortcuts(data);
        if (files && !files->empty()) return files;
        return std::nullopt;
    }
    if (auto copied = ReadVirtualShortcuts(data)) return copied;
    if (auto link = ReadDraggedLink(data)) return std::vector<DroppedLink>{*link};
    if (auto b = fw::GetGlobalBytes(data, CF_UNICODETEXT)) return LinksFromPastedText(TextFromUtf16Block(*b));
    if (auto b = fw::GetGlobalBytes(data, CF_TEXT)) return LinksFromPastedText(TextFromAnsiBlock(*b));
    return std::nullopt;
}

}  // namespace

const fw::MapEntry<CClipboardCommands> CClipboardCommands::kMap[] = {
    fw::OnCommand(IDM_EDIT_COPY, &Self::OnCopy),
    fw::OnCommand(IDM_EDIT_CUT, &Self::OnCut),
    fw::OnCommand(IDM_EDIT_PASTE, &Self::OnPaste),
};
bool CClipboardCommands::Dispatch(const fw::Msg& m, LRESULT& result) { return fw::RunMap(*this, kMap, m, result); }

CClipboardCommands::~CClipboardCommands() { ReleaseClipboard(); }

void CClipboardCommands::Copy(bool cut) {
    if (cut && m_state.readOnly) return;
    const std::vector<FavorRecord*> selected = m_list.GetSelectedFavors();
    if (selected.empty()) return;
    fw::ComPtr<CFavorDataSource> source;
    source.attach(new CFavorDataSource);
    if (!source->SetFavors(std::vector<const FavorRecord*>(selected.begin(), selected.end()), true)) return;
    if (FAILED(OleSetClipboard(source.get()))) return;  // another program holds the clipboard open
    m_source = std::move(source);
    m_cut.clear();
    if (cut)
        for (const FavorRecord* f : selected) m_cut.push_back(*f);
}

bool CClipboardCommands::CutPending() const {
    return !m_cut.empty() && m_source && OleIsCurrentClipboard(m_source.get()) == S_OK;
}

void CClipboardCommands::ReleaseClipboard() {
    if (m_source && OleIsCurrentClipboard(m_source.get()) == S_OK) OleFlushClipboard();
    m_source = {};
    m_cut.clear();
}

void CClipboardCommands::Refuse() const {
    seams::MessageBox(m_dialog, kNothingToPaste, texts::kTipCaption, MB_OK | MB_ICONINFORMATION);
}

// A cut and paste moves the favorites and empties the clipboard, as Explorer does; into
// the folder they are in, it changes nothing and they stay cut.
void CClipboardCommands::PasteCut(int folderId) {
    std::vector<int> ids;
    for (const FavorRecord& f : m_cut)
        if (f.pid != folderId) ids.push_back(f.id);
    if (ids.empty()) return;
    OleSetClipboard(nullptr);
    m_source = {};
    m_cut.clear();
    if (!m_edits.MoveFavors(ids, folderId)) TellSaveFailed(m_dialog, m_store);
}

LRESULT CClipboardCommands::OnPaste(const fw::Msg&) {
    const FolderRecord* folder = m_tree.GetSelectedFolder();
    if (m_state.readOnly || !folder) return 0;
    const int folderId = folder->id;
    if (CutPending()) {
        PasteCut(folderId);
        return 0;
    }
    fw::ComPtr<IDataObject> data;
    if (FAILED(OleGetClipboard(data.put()))) return 0;
    const auto links = LinksOnClipboard(data.get());
    if (links) StoreDroppedLinks(m_edits, *links, folderId, m_list.Hwnd(), kPaste);
    else Refuse();
    return 0;
}
