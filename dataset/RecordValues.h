#pragma once

// Values in record slots: how an engine column becomes a slot, how a slot
// reads and writes as text and as typed values, how a new record starts, and
// how a slot is bound as a statement parameter.

#include "dataset/ParameterBinder.h"
#include "dataset/Record.h"

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3_stmt;

namespace torvik::dataset {

// Stores result column `column` of a stepped statement into the slot of a
// record fresh from Reset, and sets the has-value bit from the column's
// storage class. Blob bytes, and a text longer than its slot, become side
// values of the record.
void StoreColumn(sqlite3_stmt *statement, int column, const TSlot &slot, TRecord &record);

// Every field NULL, slots holding the empty value of their type; dates the
// current local date and time; blob fields a new empty stream.
void InitNewRecord(TRecord &record, const TRecordLayout &layout);

// The value as text, GBK ("" for NULL). In UTF-8 mode text slots hold UTF-8.
std::string SlotText(const uint8_t *record, const TSlot &slot, bool utf8Mode);

// Assigns a text to the field: empty texts make numbers, dates and Booleans
// NULL; a text that is not a value raises EDatabaseError naming displayName.
void AssignSlotText(uint8_t *record, const TSlot &slot, std::string_view text, bool utf8Mode,
                    const std::string &displayName);

// Typed access; types that do not hold the asked kind convert through text.
int32_t SlotInteger(const uint8_t *record, const TSlot &slot, bool utf8Mode);
double SlotFloat(const uint8_t *record, const TSlot &slot, bool utf8Mode);
bool SlotBoolean(const uint8_t *record, const TSlot &slot, bool utf8Mode);
double SlotDayCount(const uint8_t *record, const TSlot &slot, bool utf8Mode);
void PutSlotInteger(uint8_t *record, const TSlot &slot, int32_t value, bool utf8Mode, const std::string &displayName);
void PutSlotFloat(uint8_t *record, const TSlot &slot, double value, bool utf8Mode, const std::string &displayName);
void PutSlotBoolean(uint8_t *record, const TSlot &slot, bool value, bool utf8Mode, const std::string &displayName);
void PutSlotDayCount(uint8_t *record, const TSlot &slot, double dayCount, bool utf8Mode, const std::string &displayName);

// Stores a text slot's bytes (GBK in, converted in UTF-8 mode), cut to the
// size on a character boundary.
void PutSlotString(uint8_t *record, const TSlot &slot, std::string_view gbk, bool utf8Mode);

// The slot's value in the form its type binds as; a text read longer than its
// slot gives its whole bytes from `side`. Views refer into the record.
TParameterValue SlotParameterValue(const uint8_t *record, const TSideValues *side, const TSlot &slot);

} // namespace torvik::dataset
