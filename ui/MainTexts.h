// Texts the main window shows: titles, status line, questions and tips.
#pragma once
#include <cstddef>
#include <string>

namespace texts {

constexpr const wchar_t* kBrowserTitle = L"Tidemarker - Favorite Browser";
constexpr const wchar_t* kQuickPanelTitle = L"Tidemarker - Quick Panel";
constexpr const wchar_t* kReady = L" Ready";
constexpr const wchar_t* kRootName = L"Root";  // the root folder outside the tree
constexpr const wchar_t* kFavorBrowserButton = L"Favor Browser";

constexpr const wchar_t* kTipCaption = L"Tidemarker Tip:";
constexpr const wchar_t* kSelectFolderToDelete = L"Please select a folder first to delete.";
constexpr const wchar_t* kFolderNameEmpty = L"Folder name can not be empty.";
constexpr const wchar_t* kFavorNameEmpty = L"Favorite name can not be empty.";
constexpr const wchar_t* kLocationEmpty = L"Location can not be empty.";
constexpr const wchar_t* kDeleteFolderCaption = L"Delete folder confirm";
constexpr const wchar_t* kDeleteFavorCaption = L"Delete favor confirm";

// Menu texts of the tree and list pop-up menus, with the keys that do the same.
constexpr const wchar_t* kMenuAddFolder = L"Add &folder";
constexpr const wchar_t* kMenuEdit = L"&Edit\tAlt+Enter";
constexpr const wchar_t* kMenuDelete = L"&Delete\tDel";
constexpr const wchar_t* kMenuAddFavorite = L"&Add favorite";
constexpr const wchar_t* kMenuLaunchOne = L"&Launch Selected Favorite\tEnter";
constexpr const wchar_t* kMenuLaunchAll = L"&Launch All Selected Favorites\tEnter";
constexpr const wchar_t* kMenuSelectAll = L"&Select All\tCtrl+A";
constexpr const wchar_t* kMenuInvert = L"In&vert Selection";
constexpr const wchar_t* kMenuAddNewFavorite = L"&Add New Favorite";

// " Folder : <name>,    Favorites : <count>"
std::wstring FolderStatus(const std::wstring& folderName, size_t favorites);
// " Search mode, results : <count>"
std::wstring SearchStatus(size_t results);
// "Are you sure to delete folder [<name>] and the favorites under it?"
std::wstring DeleteFolderQuestion(const std::wstring& folderName);
// One selected favorite or several.
std::wstring DeleteFavorQuestion(size_t selected);
// The Edit menu's "&Undo Delete Folder\tCtrl+Z", or "&Undo\tCtrl+Z" without a step; the
// same for Redo.
std::wstring UndoMenuText(const std::wstring& stepName);
std::wstring RedoMenuText(const std::wstring& stepName);

}  // namespace texts
