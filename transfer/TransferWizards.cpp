// Construction of the two wizard sheets and their pages.
#include "transfer/CExportWizardSheet.h"
#include "transfer/CImportWizardSheet.h"
#include "res/resource.h"

CImportWizardDlg::CImportWizardDlg() : CWizardKindPage(IDD_IMPORT_WIZARD) {}
CImportFolderPage::CImportFolderPage(CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_IMPORT_FOLDER, Kind::ImportFolder, tree, mainWindow) {}
CImportFirefoxPage::CImportFirefoxPage(CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_IMPORT_FIREFOX, Kind::ImportFirefox, tree, mainWindow) {}

CImportWizardSheet::CImportWizardSheet(CFolderTreeCtrl* tree, HWND mainWindow)
    : CPropertySheet(L"Import Wizard", true), m_folder(tree, mainWindow), m_firefox(tree, mainWindow) {
    AddPage(&m_kind);
    AddPage(&m_folder);
    AddPage(&m_firefox);
}

CExportWizardDlg::CExportWizardDlg() : CWizardKindPage(IDD_EXPORT_WIZARD) {}
CExportFolderPage::CExportFolderPage(CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_EXPORT_FOLDER, Kind::ExportFolder, tree, mainWindow) {}
CExportHtmlPage::CExportHtmlPage(CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_EXPORT_HTML, Kind::ExportHtml, tree, mainWindow) {}

CExportWizardSheet::CExportWizardSheet(CFolderTreeCtrl* tree, HWND mainWindow)
    : CPropertySheet(L"Export Wizard", true), m_folder(tree, mainWindow), m_html(tree, mainWindow) {
    AddPage(&m_kind);
    AddPage(&m_folder);
    AddPage(&m_html);
}
