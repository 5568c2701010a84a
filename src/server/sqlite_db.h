#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/errors.h"

struct sqlite3;
struct sqlite3_stmt;

namespace zentrix::server {

class ESqliteError : public EZentrix {
  public:
    using EZentrix::EZentrix;
};

// One prepared statement; values are bound by position (1-based), never spliced into the SQL.
class TStatement {
  public:
    TStatement(sqlite3* db, std::string_view sql);
    ~TStatement();
    TStatement(const TStatement&) = delete;
    TStatement& operator=(const TStatement&) = delete;

    TStatement& Bind(int index, std::string_view text);
    TStatement& Bind(int index, int64_t value);
    TStatement& Bind(int index, int value) { return Bind(index, static_cast<int64_t>(value)); }
    // Steps once: true while a row is there.
    bool Step();
    // Runs to the end.
    void Run();
    std::string Text(int column) const;
    int64_t Int(int column) const;
    double Real(int column) const;

  private:
    sqlite3* db_;
    sqlite3_stmt* stmt_ = nullptr;
};

class TSqliteDb {
  public:
    explicit TSqliteDb(const std::string& fileName);
    ~TSqliteDb();
    TSqliteDb(const TSqliteDb&) = delete;
    TSqliteDb& operator=(const TSqliteDb&) = delete;

    // SQL without values (schema, transactions).
    void Exec(std::string_view sql);
    TStatement Prepare(std::string_view sql) { return TStatement(db_, sql); }
    int64_t LastInsertId() const;
    int Changes() const;

  private:
    sqlite3* db_ = nullptr;
};

// Commits when Commit() ran, else rolls back when it goes out of scope.
class TTransaction {
  public:
    explicit TTransaction(TSqliteDb& db);
    ~TTransaction();
    void Commit();

  private:
    TSqliteDb& db_;
    bool done_ = false;
};

}  // namespace zentrix::server
