// Construction of the two wizard sheets and their pages.
#include "transfer/CExportWizardSheet.h"
#include "transfer/CImportWizardSheet.h"
#include "res/resource.h"

CImportWizardDlg::CImportWizardDlg()
    : CWizardKindPage(IDD_IMPORT_WIZARD,
                      {IDC_WIZ_KIND_FOLDER, IDC_WIZ_KIND_FIREFOX, IDC_WIZ_KIND_CHROMIUM, IDC_WIZ_KIND_HTML}) {}
CImportFolderPage::CImportFolderPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_IMPORT_FOLDER, Kind::ImportFolder, edits, tree, mainWindow) {}
CImportFirefoxPage::CImportFirefoxPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_IMPORT_FIREFOX, Kind::ImportFirefox, edits, tree, mainWindow) {}
CImportHtmlPage::CImportHtmlPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_IMPORT_HTML, Kind::ImportHtml, edits, tree, mainWindow) {}

CImportWizardSheet::CImportWizardSheet(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow)
    : CPropertySheet(L"Import Wizard", true),
      m_folder(edits, tree, mainWindow),
      m_firefox(edits, tree, mainWindow),
      m_chromium(edits, tree, mainWindow),
      m_html(edits, tree, mainWindow) {
    AddPage(&m_kind);
    AddPage(&m_folder);
    AddPage(&m_firefox);
    AddPage(&m_chromium);
    AddPage(&m_html);
}

CExportWizardDlg::CExportWizardDlg() : CWizardKindPage(IDD_EXPORT_WIZARD, {IDC_WIZ_KIND_FOLDER, IDC_WIZ_KIND_FIREFOX}) {}
CExportFolderPage::CExportFolderPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_EXPORT_FOLDER, Kind::ExportFolder, edits, tree, mainWindow) {}
CExportHtmlPage::CExportHtmlPage(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_EXPORT_HTML, Kind::ExportHtml, edits, tree, mainWindow) {}

CExportWizardSheet::CExportWizardSheet(FavorEdits& edits, CFolderTreeCtrl* tree, HWND mainWindow)
    : CPropertySheet(L"Export Wizard", true), m_folder(edits, tree, mainWindow), m_html(edits, tree, mainWindow) {
    AddPage(&m_kind);
    AddPage(&m_folder);
    AddPage(&m_html);
}
