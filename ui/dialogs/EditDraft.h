// What the edit dialogs do with the texts typed into them, without the dialogs:
// names and locations lose the white space at both ends and must not end up empty;
// tags are kept exactly as typed.
#pragma once
#include "store/Records.h"
#include <string>

extern const wchar_t kTipCaption[];  // "Tidemarker Tip:"

// Removes, from both ends, every character the wide-character classification
// counts as white space (blanks, tabs, line breaks, ...).
std::wstring TrimWhiteSpace(const std::wstring& text);

// Takes the typed texts into the record. Returns the message to show when a text
// is refused (the record is then unchanged), or an empty string.
std::wstring ApplyFavorTexts(FavorRecord& record, const std::wstring& name, const std::wstring& location,
                             const std::wstring& tags);
std::wstring ApplyFolderName(FolderRecord& record, const std::wstring& name);
