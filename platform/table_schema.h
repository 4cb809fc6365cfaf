// The layout of a table file: a SQLite database holding one table `model` of nine numeric
// columns, whose records are read and written in rowid order.
#pragma once

#include <array>
#include <string>

struct sqlite3;

inline constexpr int kTableFieldCount = 9;

// Column names by field position; field 0 is the record number, the rest hold floats.
inline constexpr std::array<const char*, kTableFieldCount> kModelColumns = {
    "RecNo", "X", "Aux2", "Z", "V", "Fix", "Aux6", "RayCov", "V2"};

// Creates the empty table `model` in a database that holds nothing yet. Returns SQLITE_OK or
// the code of the step that failed (its text is in sqlite3_errmsg).
int CreateModelTable(sqlite3* db);

// Checks that an open database holds our table: a rowid table `model` with exactly the nine
// columns above in that order. Returns empty text when it does, otherwise what is wrong.
std::string FindModelTableFault(sqlite3* db);
