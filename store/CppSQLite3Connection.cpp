#include "store/CppSQLite3Connection.h"
#include "store/CppSQLite3Exception.h"
#include <cstdlib>
#include <memory>
#include <utility>

CppSQLite3Connection::~CppSQLite3Connection() { Close(); }

void CppSQLite3Connection::Open(const char* path, bool readOnly) {
    Close();
    sqlite3* db = nullptr;
    const int flags = readOnly ? SQLITE_OPEN_READONLY : SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE;
    const int rc = sqlite3_open_v2(path, &db, flags, nullptr);
    if (rc != SQLITE_OK) {
        const CppSQLite3Exception error(rc, db ? sqlite3_errmsg(db) : nullptr);
        sqlite3_close(db);  // a failed open still hands back a handle (or null)
        throw error;
    }
    m_db = db;
    sqlite3_busy_timeout(m_db, kBusyTimeoutMs);
}

bool CppSQLite3Connection::IsReadOnly() const {
    CheckOpen();
    return sqlite3_db_readonly(m_db, "main") == 1;
}

void CppSQLite3Connection::SetBusyTimeout(int ms) {
    CheckOpen();
    sqlite3_busy_timeout(m_db, ms);
}

void CppSQLite3Connection::Close() {
    if (!m_db) return;
    // A statement still alive keeps the handle until it is finished, instead of the
    // close failing and the handle leaking.
    sqlite3_close_v2(std::exchange(m_db, nullptr));
}

void CppSQLite3Connection::CheckOpen() const {
    if (!m_db) throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, sqlite_detail::kNotOpen);
}

int CppSQLite3Connection::Execute(const char* sql) {
    CheckOpen();
    char* error = nullptr;
    const int rc = sqlite3_exec(m_db, sql, nullptr, nullptr, &error);
    if (rc == SQLITE_OK) return sqlite3_changes(m_db);
    const std::unique_ptr<char, decltype(&sqlite3_free)> owned(error, &sqlite3_free);
    throw CppSQLite3Exception(rc, error);
}

sqlite3_stmt* CppSQLite3Connection::Compile(const char* sql) {
    CheckOpen();
    sqlite3_stmt* stmt = nullptr;
    const int rc = sqlite3_prepare_v2(m_db, sql, -1, &stmt, nullptr);
    if (rc != SQLITE_OK) throw CppSQLite3Exception(rc, "");
    return stmt;
}

CppSQLite3Cursor CppSQLite3Connection::Query(const char* sql) {
    sqlite3_stmt* stmt = Compile(sql);
    if (!stmt) return CppSQLite3Cursor(m_db, nullptr, true, true);  // only blanks or comments
    const int rc = sqlite3_step(stmt);
    if (rc == SQLITE_DONE || rc == SQLITE_ROW) return CppSQLite3Cursor(m_db, stmt, rc == SQLITE_DONE, true);
    const int code = sqlite3_finalize(stmt);
    throw CppSQLite3Exception(code, sqlite3_errmsg(m_db));
}

int CppSQLite3Connection::Scalar(const char* sql) {
    CppSQLite3Cursor cursor = Query(sql);
    if (cursor.AtEnd() || cursor.ColumnCount() < 1)
        throw CppSQLite3Exception(CppSQLite3Exception::kLayerError, sqlite_detail::kBadScalar);
    const int value = std::atoi(cursor.TextValue(0, ""));
    cursor.Finish();
    return value;
}

bool CppSQLite3Connection::HasTable(const char* name) {
    // %q doubles any apostrophe, so the name always stays inside its quotes.
    const std::unique_ptr<char, decltype(&sqlite3_free)> sql(
        sqlite3_mprintf("select count(*) from sqlite_master where type='table' and name='%q'", name),
        &sqlite3_free);
    return Scalar(sql.get()) > 0;
}

CppSQLite3Command CppSQLite3Connection::Prepare(const char* sql) {
    return CppSQLite3Command(m_db, Compile(sql));
}

sqlite3_int64 CppSQLite3Connection::LastInsertId() {
    CheckOpen();
    return sqlite3_last_insert_rowid(m_db);
}

void CppSQLite3Connection::CreateFunction(const char* name, int argumentCount, ScalarFunction function, void* data,
                                          void (*destroy)(void*)) {
    if (!m_db) {
        if (destroy) destroy(data);
        CheckOpen();
    }
    // SQLite calls `destroy` itself, also when the registration fails.
    const int rc = sqlite3_create_function_v2(m_db, name, argumentCount,
                                              SQLITE_UTF8 | SQLITE_DETERMINISTIC | SQLITE_INNOCUOUS, data,
                                              function, nullptr, nullptr, destroy);
    if (rc != SQLITE_OK) throw CppSQLite3Exception(rc, sqlite3_errmsg(m_db));
}
