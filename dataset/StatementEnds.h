#pragma once

// Where the statements of an SQL text end. A semicolon ends a statement only
// outside string literals ('…'), quoted names ("…", […], `…`) and comments
// (-- to the line end, /* … */); the text is read the way the engine's own
// tokenizer reads it, byte by byte.

#include <string_view>

namespace torvik::dataset {

// The number of statement-ending semicolons, counting stops at `atMost`.
int countStatementEnds(std::string_view sql, int atMost);

} // namespace torvik::dataset
