// The main window's favorite commands: the details pane (selection and Save), New,
// Edit and Delete favorite, the search box, the list menu and launching. Each change
// goes to the store first and is then mirrored in the list, row by row.
#pragma once
#include "framework/MessageMap.h"
#include "ui/MainWindowState.h"
#include <vector>

struct FavorRecord;

class CFavorActions : public CPaneCommands {
public:
    using CPaneCommands::CPaneCommands;
    bool Dispatch(const fw::Msg& m, LRESULT& result);

    // Edit with exactly one row selected, Delete with at least one (forced after a mode
    // switch), and the details pane for the selection.
    void UpdateFavorStates(bool force);
    void NewFavorite();
    // The one way a favorite is added through the favorite dialog: with what is known of
    // it (a captured page's name and location) in `folderId`; `dialogOpen` is set while
    // the dialog is up.
    void AddWithDialog(const FavorRecord& proposed, int folderId, bool& dialogOpen);
    void EditFavorite();
    void DeleteFavorites();
    void SaveDetails();
    void Search();
    void LaunchSelected();
    // Enter in the search box: opens the single selected favorite. True when one was opened.
    bool LaunchFromSearchBox();
    // Opens each location (OpenFavorLocation) and counts the visit (not on a read-only
    // store, nor for a location that was not opened); tells the user when the store
    // refused a visit. How many visits were counted.
    size_t Launch(const std::vector<FavorRecord>& favors);

private:
    using Self = CFavorActions;
    bool m_refilling = false;  // while a search refills the list: its selection is followed after
    LRESULT OnSelectionChanged(const fw::Msg& m);
    LRESULT OnRangeSelectionChanged(const fw::Msg& m);
    LRESULT OnListRefilled(const fw::Msg&);
    void SelectionChanged();
    void EnableFavorCommands(bool force);
    LRESULT OnListMenu(const fw::Msg&);
    LRESULT OnNew(const fw::Msg&) { NewFavorite(); return 0; }
    LRESULT OnEdit(const fw::Msg&) { EditFavorite(); return 0; }
    LRESULT OnDelete(const fw::Msg&) { DeleteFavorites(); return 0; }
    LRESULT OnSave(const fw::Msg&) { SaveDetails(); return 0; }
    LRESULT OnSearch(const fw::Msg&) { Search(); return 0; }
    LRESULT OnLaunch(const fw::Msg&) { LaunchSelected(); return 0; }
    static const fw::MapEntry<CFavorActions> kMap[];

    void ShowDetailsOf(const FavorRecord& record) const;
    void Tip(const wchar_t* text, int focusId) const;

    int m_statesFor = -1;  // selection size (0, 1, 2 = several) the command states were set for
};
