// The data a drag of favorites offers other programs: one virtual shortcut file
// per favorite (a FILEGROUPDESCRIPTORW and the files' contents) and the address of
// the first favorite that has one, as URL and as text. A copy to the clipboard offers
// every address as text, one a line.
#pragma once
#include "store/Records.h"
#include <string>
#include <vector>

struct FavorDragData {
    std::vector<unsigned char> descriptor;  // FILEGROUPDESCRIPTORW: count + 592 bytes per file
    std::vector<std::string> files;         // each file's contents, in descriptor order
    std::string contents;                   // all files' contents back to back
    std::wstring url;                       // first non-empty location, or empty
    std::wstring lines;                     // every non-empty location, CR LF after each but the last
};

FavorDragData BuildFavorDragData(const std::vector<const FavorRecord*>& favors);
// The file name offered for a favorite: its name made safe for a file system and
// cut so that it fits cFileName with ".url" and the terminator.
std::wstring DragFileName(const std::wstring& favorName);
