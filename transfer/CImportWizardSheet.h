// The Import Wizard: pick the kind of source, then import a favorites folder, a Firefox
// bookmark database, a Chromium browser's Bookmarks file or a bookmark HTML file on a
// worker thread, with progress.
#pragma once
#include "transfer/CImportChromiumPage.h"
#include "transfer/CTransferPage.h"
#include "transfer/CWizardKindPage.h"

class CImportWizardDlg : public CWizardKindPage {
public:
    CImportWizardDlg();
};

class CImportFolderPage : public CTransferPage {
public:
    CImportFolderPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow);
};

class CImportFirefoxPage : public CTransferPage {
public:
    CImportFirefoxPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow);
};

class CImportHtmlPage : public CTransferPage {
public:
    CImportHtmlPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow);
};

class CImportWizardSheet : public fw::CPropertySheet {
public:
    // tree: the main window's folder tree pane (the import mirrors new folders into it).
    CImportWizardSheet(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow);

    CImportWizardDlg& KindPage() { return m_kind; }
    CImportFolderPage& FolderPage() { return m_folder; }
    CImportFirefoxPage& FirefoxPage() { return m_firefox; }

private:
    CImportWizardDlg m_kind;
    CImportFolderPage m_folder;
    CImportFirefoxPage m_firefox;
    CImportChromiumPage m_chromium;
    CImportHtmlPage m_html;
};
