// The favorites list's data source: the six formats of a favorites drag, replaced
// at the start of every drag. "FileContents" asked for by index gets that one
// file; asked for without an index it is all files back to back.
#pragma once
#include "dnd/FavorDragData.h"
#include "framework/OleDragDrop.h"

class CFavorDataSource : public fw::COleDataSource {
public:
    // False when a block could not be allocated; the source then offers nothing. With
    // `everyLocationAsText` (a copy to the clipboard) the text formats hold every
    // location, one a line, instead of the first.
    bool SetFavors(const std::vector<const FavorRecord*>& favors, bool everyLocationAsText = false);

protected:
    bool RenderData(const FORMATETC& fmt, STGMEDIUM& medium) override;

private:
    std::vector<std::string> m_files;
};
