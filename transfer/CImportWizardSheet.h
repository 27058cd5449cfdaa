// The Import Wizard: pick the kind of source, then import a favorites folder or a
// Firefox bookmark database on a worker thread, with progress.
#pragma once
#include "transfer/CTransferPage.h"
#include "transfer/CWizardKindPage.h"

class CImportWizardDlg : public CWizardKindPage {
public:
    CImportWizardDlg();
};

class CImportFolderPage : public CTransferPage {
public:
    CImportFolderPage(CFavorStore& store, CFolderTreeCtrl* tree, HWND mainWindow);
};

class CImportFirefoxPage : public CTransferPage {
public:
    CImportFirefoxPage(CFavorStore& store, CFolderTreeCtrl* tree, HWND mainWindow);
};

class CImportWizardSheet : public fw::CPropertySheet {
public:
    // tree: the main window's folder tree pane (the import mirrors new folders into it).
    CImportWizardSheet(CFavorStore& store, CFolderTreeCtrl* tree, HWND mainWindow);

    CImportWizardDlg& KindPage() { return m_kind; }
    CImportFolderPage& FolderPage() { return m_folder; }
    CImportFirefoxPage& FirefoxPage() { return m_firefox; }

private:
    CImportWizardDlg m_kind;
    CImportFolderPage m_folder;
    CImportFirefoxPage m_firefox;
};
