// Construction of the two wizard sheets and their pages.
#include "transfer/CExportWizardSheet.h"
#include "transfer/CImportWizardSheet.h"
#include "res/resource.h"

CImportWizardDlg::CImportWizardDlg()
    : CWizardKindPage(IDD_IMPORT_WIZARD,
                      {IDC_WIZ_KIND_FOLDER, IDC_WIZ_KIND_FIREFOX, IDC_WIZ_KIND_CHROMIUM, IDC_WIZ_KIND_HTML}) {}
CImportFolderPage::CImportFolderPage(CFavorStore& store, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_IMPORT_FOLDER, Kind::ImportFolder, store, tree, mainWindow) {}
CImportFirefoxPage::CImportFirefoxPage(CFavorStore& store, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_IMPORT_FIREFOX, Kind::ImportFirefox, store, tree, mainWindow) {}
CImportHtmlPage::CImportHtmlPage(CFavorStore& store, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_IMPORT_HTML, Kind::ImportHtml, store, tree, mainWindow) {}

CImportWizardSheet::CImportWizardSheet(CFavorStore& store, CFolderTreeCtrl* tree, HWND mainWindow)
    : CPropertySheet(L"Import Wizard", true),
      m_folder(store, tree, mainWindow),
      m_firefox(store, tree, mainWindow),
      m_chromium(store, tree, mainWindow),
      m_html(store, tree, mainWindow) {
    AddPage(&m_kind);
    AddPage(&m_folder);
    AddPage(&m_firefox);
    AddPage(&m_chromium);
    AddPage(&m_html);
}

CExportWizardDlg::CExportWizardDlg() : CWizardKindPage(IDD_EXPORT_WIZARD, {IDC_WIZ_KIND_FOLDER, IDC_WIZ_KIND_FIREFOX}) {}
CExportFolderPage::CExportFolderPage(CFavorStore& store, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_EXPORT_FOLDER, Kind::ExportFolder, store, tree, mainWindow) {}
CExportHtmlPage::CExportHtmlPage(CFavorStore& store, CFolderTreeCtrl* tree, HWND mainWindow)
    : CTransferPage(IDD_EXPORT_HTML, Kind::ExportHtml, store, tree, mainWindow) {}

CExportWizardSheet::CExportWizardSheet(CFavorStore& store, CFolderTreeCtrl* tree, HWND mainWindow)
    : CPropertySheet(L"Export Wizard", true), m_folder(store, tree, mainWindow), m_html(store, tree, mainWindow) {
    AddPage(&m_kind);
    AddPage(&m_folder);
    AddPage(&m_html);
}
