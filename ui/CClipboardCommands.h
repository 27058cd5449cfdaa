// The main window's clipboard: Ctrl+C copies the selected favorites (their locations as
// text, the drag's link formats, one shortcut file each), Ctrl+X does the same and marks
// them to be moved, and Ctrl+V takes what the clipboard holds into the folder shown, as a
// drop there would: the favorites cut before move there, shortcut files and links are
// added, and text is added when every line of it is a location.
#pragma once
#include "dnd/CFavorDataSource.h"
#include "framework/MessageMap.h"
#include "ui/MainWindowState.h"
#include <vector>

class CClipboardCommands : public CPaneCommands {
public:
    using CPaneCommands::CPaneCommands;
    ~CClipboardCommands();
    bool Dispatch(const fw::Msg& m, LRESULT& result);
    // Leaves the copied favorites to the clipboard itself (the window goes away).
    void ReleaseClipboard();

private:
    using Self = CClipboardCommands;
    static const fw::MapEntry<CClipboardCommands> kMap[];
    LRESULT OnCopy(const fw::Msg&) { Copy(false); return 0; }
    LRESULT OnCut(const fw::Msg&) { Copy(true); return 0; }
    LRESULT OnPaste(const fw::Msg&);

    void Copy(bool cut);
    // The favorites cut, while the clipboard still holds them.
    bool CutPending() const;
    void PasteCut(int folderId);
    void Refuse() const;

    fw::ComPtr<CFavorDataSource> m_source;  // what this window put on the clipboard
    std::vector<FavorRecord> m_cut;         // the favorites cut, as they were
};
