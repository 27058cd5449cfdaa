// One SQLite connection. Paths and statements are UTF-8; every failure throws
// CppSQLite3Exception. A connection and its cursors and commands are used by one
// thread at a time (the favorites store serialises its callers).
#pragma once
#include "store/CppSQLite3Command.h"
#include "store/CppSQLite3Cursor.h"
#include <sqlite3.h>

class CppSQLite3Connection {
public:
    // A statement that meets a lock held by another connection waits this long.
    static constexpr int kBusyTimeoutMs = 60000;

    CppSQLite3Connection() = default;
    CppSQLite3Connection(const CppSQLite3Connection&) = delete;
    CppSQLite3Connection& operator=(const CppSQLite3Connection&) = delete;
    virtual ~CppSQLite3Connection();

    // Opens or creates the file (only opens it when readOnly). Closes a connection that
    // is still open first.
    void Open(const char* path, bool readOnly = false);
    void Close();
    bool IsOpen() const { return m_db != nullptr; }
    // True when the file could only be opened for reading (or was asked to be).
    bool IsReadOnly() const;
    // How long a statement waits for a lock held by another connection (kBusyTimeoutMs
    // after every open).
    void SetBusyTimeout(int ms);

    // Runs every statement of the text; the rows changed by the last one.
    int Execute(const char* sql);
    // Compiles the first statement of the text and steps to its first row.
    CppSQLite3Cursor Query(const char* sql);
    // The first column of the first row as a decimal integer (0 for empty or non-numeric text).
    int Scalar(const char* sql);
    bool HasTable(const char* name);
    CppSQLite3Command Prepare(const char* sql);
    sqlite3_int64 LastInsertId();
    // Registers a deterministic scalar SQL function over UTF-8 text on this connection;
    // `data` (sqlite3_user_data) is handed to `destroy` when the function goes.
    using ScalarFunction = void (*)(sqlite3_context*, int, sqlite3_value**);
    void CreateFunction(const char* name, int argumentCount, ScalarFunction function, void* data = nullptr,
                        void (*destroy)(void*) = nullptr);

private:
    void CheckOpen() const;
    sqlite3_stmt* Compile(const char* sql);

    sqlite3* m_db = nullptr;
};
