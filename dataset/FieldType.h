#pragma once

namespace torvik::dataset {

// Field types of the dataset framework. The numbers are part of the contract:
// export and import compare against them.
enum TFieldType : int {
    ftUnknown = 0,
    ftString = 1,
    ftSmallint = 2,
    ftInteger = 3,
    ftWord = 4,
    ftBoolean = 5,
    ftFloat = 6,
    ftCurrency = 7,
    ftBCD = 8,
    ftDate = 9,
    ftTime = 10,
    ftDateTime = 11,
    ftBytes = 12,
    ftVarBytes = 13,
    ftAutoInc = 14,
    ftBlob = 15,
    ftMemo = 16,
    ftGraphic = 17,
    ftFmtMemo = 18,
    ftParadoxOle = 19,
    ftDBaseOle = 20,
    ftTypedBinary = 21,
    ftCursor = 22,
    ftFixedChar = 23,
    ftWideString = 24,
    ftLargeint = 25,
    ftADT = 26,
    ftArray = 27,
    ftReference = 28,
    ftDataSet = 29,
    ftOraBlob = 30,
    ftOraClob = 31,
    ftVariant = 32,
    ftInterface = 33,
    ftIDispatch = 34,
    ftGuid = 35,
    ftTimeStamp = 36,
    ftFMTBcd = 37,
    ftFixedWideChar = 38,
    ftWideMemo = 39,
    ftOraTimeStamp = 40,
    ftOraInterval = 41,
};

// What the slot of a field of the type holds (the record layout).
enum class TStorage : unsigned char {
    None,       // the type has no slot: not supported
    Text,       // Size bytes of 8-bit text ending at the first zero, and the read-longer byte
    WideText,   // Size bytes of UTF-16 text and two zero bytes; never NULL
    Integer,    // 32-bit signed
    Boolean,    // 16-bit: 0 false, -1 true
    Real,       // 64-bit IEEE
    Date,       // 32-bit day number, 0001-01-01 being day 1
    Time,       // 32-bit milliseconds since midnight
    DateTime,   // 64-bit real: day number * 86 400 000 + milliseconds
    TimeStamp,  // year, month, day, hour, minute, second (16-bit), milliseconds (32-bit)
    Blob,       // handle of bytes the record owns beside its slots
};

// How a value of the type is bound as a statement parameter.
enum class TBindAs : unsigned char {
    Nothing,     // left unbound, so NULL
    Integer,     // sqlite3_bind_int
    Real,        // sqlite3_bind_double
    Text,        // the bytes; an empty text of a field binds NULL
    BooleanText, // "True" or "False"
    WideText,    // UTF-16, at most Size bytes
    DayCount,    // real days since 1899-12-30
    Blob,        // the bytes; a NULL field binds an empty blob
};

struct TFieldTypeTraits {
    TStorage storage = TStorage::None;
    // Bytes of the slot; for the text storages the bytes beyond the definition's Size.
    int slotBytes = 0;
    bool sizedByDefinition = false;
    TBindAs bindAs = TBindAs::Nothing;
};

namespace detail {
constexpr int kFieldTypeCount = ftOraInterval + 1;

constexpr auto makeFieldTypeTraits()
{
    struct Table {
        TFieldTypeTraits at[kFieldTypeCount];
    } t{};
    auto set = [&](TFieldType type, TStorage storage, int bytes, TBindAs bindAs, bool sized = false) {
        t.at[type] = {storage, bytes, sized, bindAs};
    };
    constexpr int handle = int(sizeof(void *));
    set(ftString, TStorage::Text, 1, TBindAs::Text, true);
    set(ftWideString, TStorage::WideText, 2, TBindAs::WideText, true);
    set(ftSmallint, TStorage::Integer, 4, TBindAs::Integer);
    set(ftInteger, TStorage::Integer, 4, TBindAs::Integer);
    set(ftBoolean, TStorage::Boolean, 2, TBindAs::BooleanText);
    set(ftFloat, TStorage::Real, 8, TBindAs::Real);
    set(ftCurrency, TStorage::Real, 8, TBindAs::Real);
    set(ftBCD, TStorage::Real, 8, TBindAs::Real);
    set(ftDate, TStorage::Date, 4, TBindAs::DayCount);
    set(ftTime, TStorage::Time, 4, TBindAs::DayCount);
    set(ftDateTime, TStorage::DateTime, 8, TBindAs::DayCount);
    set(ftTimeStamp, TStorage::TimeStamp, 16, TBindAs::DayCount);
    set(ftBlob, TStorage::Blob, handle, TBindAs::Blob);
    set(ftMemo, TStorage::Blob, handle, TBindAs::Blob);
    set(ftGraphic, TStorage::Blob, handle, TBindAs::Blob);
    set(ftFmtMemo, TStorage::Blob, handle, TBindAs::Blob);
    set(ftVariant, TStorage::Blob, handle, TBindAs::Blob);
    return t;
}

inline constexpr auto kFieldTypeTraits = makeFieldTypeTraits();
} // namespace detail

// The one table of field types: every switch over a field's type asks it.
constexpr TFieldTypeTraits traitsOf(TFieldType t)
{
    return t >= 0 && t < detail::kFieldTypeCount ? detail::kFieldTypeTraits.at[t] : TFieldTypeTraits{};
}

constexpr TStorage storageOf(TFieldType t)
{
    return traitsOf(t).storage;
}

// Whether a field of the type has a slot at all.
constexpr bool isSlottedType(TFieldType t)
{
    return storageOf(t) != TStorage::None;
}

// Types whose slot refers to a byte stream instead of holding the value.
constexpr bool isBlobType(TFieldType t)
{
    return storageOf(t) == TStorage::Blob;
}

constexpr bool isDateTimeType(TFieldType t)
{
    return traitsOf(t).bindAs == TBindAs::DayCount;
}

// Types whose slot holds a 64-bit real.
constexpr bool isRealType(TFieldType t)
{
    return storageOf(t) == TStorage::Real;
}

// Only a wide text answers that it has a value whatever its flag says.
constexpr bool isNullableType(TFieldType t)
{
    return storageOf(t) != TStorage::WideText;
}

static_assert(traitsOf(ftUnknown).storage == TStorage::None && traitsOf(ftOraInterval).storage == TStorage::None);
static_assert(isBlobType(ftFmtMemo) && !isBlobType(ftWideString) && isDateTimeType(ftTimeStamp));

} // namespace torvik::dataset
