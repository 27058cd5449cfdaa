// The bookmark HTML document (NETSCAPE-Bookmark-file-1) of a folder tree, as UTF-16
// text with CR LF line ends. Names and locations are escaped (& < > " as &amp; &lt;
// &gt; &quot;, control characters as numeric references such as &#10;), which every
// bookmark importer decodes, so each round-trips exactly.
#pragma once
#include "store/Records.h"
#include <functional>
#include <string>

// The seven fixed lines that open the document.
const std::wstring& BookmarkHtmlHeader();

// Appends the folder's list (with its "<DT><H3>" heading when `heading` is set): its
// favorites first, then its sub-folders, depth first. `step` runs once after each
// favorite's line and once after each sub-folder's whole text.
void AppendBookmarkHtml(std::wstring& out, const FolderRecord& folder, bool heading,
                        const std::function<void()>& step);

// `text` with & < > " replaced by their character entities.
std::wstring EscapeHtml(const std::wstring& text);
