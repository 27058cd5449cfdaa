// The Clean Up tools' plain logic: folder paths, the question asked before a location
// is added again, and which duplicates to pick.
#pragma once
#include "store/Records.h"
#include "ui/dialogs/CleanupActions.h"
#include <functional>
#include <string>
#include <vector>

// "Root", "Root\News\Tech": the folder and its parents up to Root, found by id.
std::wstring FolderPathText(const std::function<const FolderRecord*(int id)>& find, int folderId);

// `This location is already stored as "NAME" in PATH. Add it again?`
std::wstring DuplicateQuestionText(const std::wstring& name, const std::wstring& folderPath);

// Every row of each group but its most visited favorite (then the one visited last,
// then the oldest), in row order.
std::vector<size_t> AllButMostVisited(const std::vector<CleanupRow>& rows);
// Removes the rows left alone in their group.
void DropLoneRows(std::vector<CleanupRow>& rows);
