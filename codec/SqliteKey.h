#pragma once

// The codec entry points, with the signatures SQLite's own codec builds use.

struct sqlite3;

extern "C" {
int sqlite3_key(sqlite3 *db, const void *pKey, int nKey);
int sqlite3_rekey(sqlite3 *db, const void *pKey, int nKey);
}
