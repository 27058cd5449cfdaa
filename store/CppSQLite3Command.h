// A compiled statement with "?" parameters: bind, run, and finish (the destructor
// finishes quietly). After a successful Run the statement is reset, so it can be
// bound and run again. Commands move, they are never copied.
#pragma once
#include <sqlite3.h>
#include <string_view>

class CppSQLite3Cursor;

class CppSQLite3Command {
public:
    CppSQLite3Command() = default;
    CppSQLite3Command(sqlite3* db, sqlite3_stmt* stmt) : m_db(db), m_stmt(stmt) {}
    CppSQLite3Command(CppSQLite3Command&& other) noexcept;
    CppSQLite3Command& operator=(CppSQLite3Command&& other) noexcept;
    CppSQLite3Command(const CppSQLite3Command&) = delete;
    CppSQLite3Command& operator=(const CppSQLite3Command&) = delete;
    virtual ~CppSQLite3Command();

    // Parameter indexes start at 1. The text is UTF-8 and is copied whole, a NUL inside
    // it included.
    void BindText(int index, std::string_view text);
    void BindInt(int index, int value);
    void BindNull(int index);
    // Runs a statement that returns no rows; the number of rows it changed.
    int Run();
    // Runs a statement that returns rows. The cursor borrows this command's statement:
    // finishing it resets the statement, and it must not outlive the command.
    CppSQLite3Cursor Query();
    void Finish();
    bool IsPrepared() const { return m_stmt != nullptr; }

private:
    void CheckStatement() const;
    void FinishQuietly() noexcept;

    sqlite3* m_db = nullptr;         // not owned
    sqlite3_stmt* m_stmt = nullptr;  // owned
};
