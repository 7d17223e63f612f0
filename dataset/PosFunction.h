#pragma once

// The SQL function "Pos" that the name searches call: Pos(a, b) is the 1-based
// byte position of the first occurrence of b in a, 0 when b is empty, does not
// occur, or either argument is NULL. Letter case counts.

#include <string_view>

struct sqlite3_context;
struct sqlite3_value;

namespace torvik::dataset {

int posOf(std::string_view text, std::string_view part);

// The engine's entry point for two arguments.
void PosFunction(sqlite3_context *context, int argc, sqlite3_value **argv);

} // namespace torvik::dataset
