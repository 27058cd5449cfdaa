// Favorites that share a location, in groups (largest first), with the tools to keep
// one of each: select all but the most visited of every group, then delete.
#pragma once
#include "ui/dialogs/CCleanupDlg.h"

class CDuplicatesDlg : public CCleanupDlg {
public:
    // Rows of a group come together and share CleanupRow::group.
    CDuplicatesDlg(ICleanupActions& actions, std::vector<CleanupRow> rows);
    bool Dispatch(const fw::Msg& m, LRESULT& result) override;

protected:
    BOOL OnInitDialog() override;
    std::vector<Column> Columns() const override;
    std::wstring CellText(const CleanupRow& row, int column) const override;
    void RowsDeleted() override;

private:
    using Self = CDuplicatesDlg;
    LRESULT OnSelectExtra(const fw::Msg&);
    void ShowStatus() const;
    static const fw::MapEntry<CDuplicatesDlg> kMap[];
};
