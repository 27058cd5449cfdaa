// The Export Wizard: pick the kind of destination, then export a folder of the
// store to a favorites folder or to a bookmark HTML file on a worker thread.
#pragma once
#include "transfer/CTransferPage.h"
#include "transfer/CWizardKindPage.h"

class CExportWizardDlg : public CWizardKindPage {
public:
    CExportWizardDlg();
};

class CExportFolderPage : public CTransferPage {
public:
    CExportFolderPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow);
};

class CExportHtmlPage : public CTransferPage {
public:
    CExportHtmlPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow);
};

class CExportWizardSheet : public fw::CPropertySheet {
public:
    CExportWizardSheet(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow);

    CExportWizardDlg& KindPage() { return m_kind; }
    CExportFolderPage& FolderPage() { return m_folder; }
    CExportHtmlPage& HtmlPage() { return m_html; }

private:
    CExportWizardDlg m_kind;
    CExportFolderPage m_folder;
    CExportHtmlPage m_html;
};
