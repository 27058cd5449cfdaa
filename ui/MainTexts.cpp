#include "ui/MainTexts.h"

namespace texts {

std::wstring FolderStatus(const std::wstring& folderName, size_t favorites) {
    return L" Folder : " + folderName + L",    Favorites : " + std::to_wstring(favorites);
}

std::wstring SearchStatus(size_t results) { return L" Search mode, results : " + std::to_wstring(results); }

std::wstring DeleteFolderQuestion(const std::wstring& folderName) {
    return L"Are you sure to delete folder [" + folderName + L"] and the favorites under it?";
}

std::wstring DeleteFavorQuestion(size_t selected) {
    return selected == 1 ? L"Are you sure to delete selected favorite?"
                         : L"Are you sure to delete all selected favorites?";
}

std::wstring UndoMenuText(const std::wstring& stepName) {
    return L"&Undo" + (stepName.empty() ? L"" : L" " + stepName) + L"\tCtrl+Z";
}

std::wstring RedoMenuText(const std::wstring& stepName) {
    return L"&Redo" + (stepName.empty() ? L"" : L" " + stepName) + L"\tCtrl+Y";
}

}  // namespace texts
