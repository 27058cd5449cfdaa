// Status texts of the import page that carry a number.
#pragma once
#include <string>

// "Import status: Reading from favorites folder... 1,234": the records read so far, with
// the digits grouped as the user's locale groups them.
std::wstring FolderReadingStatus(int items);
