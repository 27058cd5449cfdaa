// What a drop brings: shortcut files from the shell (CF_HDROP) or one link dragged
// from a browser, offered as a virtual shortcut file ("FileGroupDescriptorW") with
// its address in one of the URL or text formats.
#pragma once
#include <objidl.h>
#include <optional>
#include <string>
#include <vector>

struct DroppedLink {
    std::wstring name;
    std::wstring location;
};

// The formats a drop is read from, registered by name.
struct DropFormats {
    CLIPFORMAT fileGroupDescriptorW, fileContents, urlW, urlA;
    static const DropFormats& Get();
};

// Whether the data offers something a target can take (CF_HDROP or a descriptor).
bool OffersLinks(IDataObject* data);
// Every .url file of a CF_HDROP list, in list order (other files, and shortcuts whose
// location CleanLocation refuses, are skipped); nothing when the data holds no readable
// file list. Locations come cleaned (CleanLocation), here and in ReadDraggedLink.
std::optional<std::vector<DroppedLink>> ReadDroppedShortcuts(IDataObject* data);
// One dragged link: a descriptor of exactly one item named "*.url" plus a location
// from "UniformResourceLocatorW", "UniformResourceLocator", CF_UNICODETEXT or CF_TEXT,
// in that order of preference.
std::optional<DroppedLink> ReadDraggedLink(IDataObject* data);

// Several dragged or copied links as virtual shortcut files: a descriptor of one or more
// items named "*.url" (others are skipped) and each file's contents by its index, as the
// favorites list and Explorer offer them. Nothing when there is no descriptor or no
// shortcut with a location in it.
std::optional<std::vector<DroppedLink>> ReadVirtualShortcuts(IDataObject* data);

// The parts that work on plain bytes.
// The favorite name of a FILEGROUPDESCRIPTORW block: exactly one item whose file
// name is longer than 4 characters and ends in ".url" (any case), without it.
std::optional<std::wstring> LinkNameFromDescriptor(const std::vector<unsigned char>& block);
// Text of a UTF-16 or an ANSI block, up to its first NUL or its end.
std::wstring TextFromUtf16Block(const std::vector<unsigned char>& block);
std::wstring TextFromAnsiBlock(const std::vector<unsigned char>& block);
