// What the Clean Up dialogs share: a list of favorites (a virtual report list over
// `m_rows`) and the buttons that delete the selected, open them, and show one in its
// folder. The changes go through ICleanupActions.
#pragma once
#include "framework/CDialog.h"
#include "res/resource.h"
#include "ui/dialogs/CleanupActions.h"
#include <vector>

class CCleanupDlg : public fw::CDialog {
public:
    CCleanupDlg(UINT templateId, ICleanupActions& actions);
    bool Dispatch(const fw::Msg& m, LRESULT& result) override;
    std::wstring HelpPage() const override { return L"cleanup.html"; }
    const std::vector<CleanupRow>& Rows() const { return m_rows; }

protected:
    struct Column {
        const wchar_t* title;
        int width;
    };
    BOOL OnInitDialog() override;
    void OnSchemeChanged(fw::Scheme) override { m_colours.Apply(Item(IDC_CLEAN_LIST), fw::IsDarkScheme()); }
    virtual std::vector<Column> Columns() const = 0;
    virtual std::wstring CellText(const CleanupRow& row, int column) const = 0;
    // After rows were deleted from the store and from m_rows.
    virtual void RowsDeleted() {}
    virtual void UpdateButtons();

    // Shows m_rows anew (the selection is cleared).
    void ShowRows();
    std::vector<size_t> SelectedRows() const;
    void SelectRows(const std::vector<size_t>& rows);
    void RemoveRows(const std::vector<size_t>& rows);

    ICleanupActions& m_actions;
    std::vector<CleanupRow> m_rows;

private:
    using Self = CCleanupDlg;
    LRESULT OnDpiChanged(const fw::Msg& m);
    LRESULT OnGetDispInfo(const fw::Msg& m);
    LRESULT OnSelectionChanged(const fw::Msg&);
    LRESULT OnDelete(const fw::Msg&);
    LRESULT OnOpen(const fw::Msg&);
    LRESULT OnShowInFolder(const fw::Msg&);
    static const fw::MapEntry<CCleanupDlg> kMap[];

    int m_dpi = 0;  // the scale the columns are sized for
    fw::ListViewColours m_colours;
};
