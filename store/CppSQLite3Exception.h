// The one exception type of the database access layer. Every SQLite failure and every
// misuse of a connection, cursor or command becomes one of these; the favorites store
// catches it around each whole operation and turns it into a false result.
#pragma once
#include <string>

class CppSQLite3Exception {
public:
    // Code 1000 marks errors found by the access layer itself.
    static constexpr int kLayerError = 1000;

    // `detail` may be null (an empty detail). The message reads "NAME[code]: detail".
    CppSQLite3Exception(int code, const char* detail);
    virtual ~CppSQLite3Exception() = default;

    int Code() const { return m_code; }
    const char* Message() const { return m_message.c_str(); }

    // "SQLITE_ERROR" for 1, "CPPSQLITE_ERROR" for 1000, "UNKNOWN_ERROR" for codes it does not know.
    static const char* CodeName(int code);

private:
    int m_code;
    std::string m_message;
};

// Fixed detail texts of the layer's own errors.
namespace sqlite_detail {
constexpr const char kNotOpen[] = "Database not open";
constexpr const char kNullStatement[] = "Null Virtual Machine pointer";
constexpr const char kBadField[] = "Invalid field index requested";
constexpr const char kBadScalar[] = "Invalid scalar query";
constexpr const char kBindText[] = "Error binding string param";
constexpr const char kBindInt[] = "Error binding int param";
}  // namespace sqlite_detail
