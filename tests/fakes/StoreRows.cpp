#include "fakes/StoreRows.h"
#include "store/CppSQLite3Connection.h"
#include "store/TextConv.h"

std::string StoreRows(const std::wstring& path) {
    CppSQLite3Connection db;
    db.Open(ToUtf8(path).c_str(), true);
    std::string out;
    for (const char* sql : {"select quote(id)||quote(pid)||quote(name) from tbl_folder order by id",
                            "select quote(id)||quote(pid)||quote(name)||quote(location)||quote(tags)||"
                            "quote(hits)||quote(last_hit) from tbl_favor order by id"}) {
        for (CppSQLite3Cursor row = db.Query(sql); !row.AtEnd(); row.Next()) out += std::string(row.TextValue(0, "")) + "\n";
        out += "--\n";
    }
    return out;
}
