#include "dataset/FieldDefs.h"

#include "dataset/AsciiText.h"
#include "dataset/TextConvert.h"

#include <sqlite3.h>

namespace torvik::dataset {

namespace {

struct NamedType {
    const char *name;
    TFieldType type;
    int size;
};

// Declared types without a length, looked up in lower case.
const NamedType kPlainTypes[] = {
    {"date", ftDate, 10},
    {"datetime", ftDateTime, 24},
    {"time", ftTime, 12},
    {"timestamp", ftTimeStamp, 12},
    {"integer", ftInteger, 12},
    {"int", ftInteger, 12},
    {"intenger", ftInteger, 12},
    {"float", ftFloat, 12},
    {"real", ftFloat, 12},
    {"boolean", ftBoolean, 2},
    {"logical", ftBoolean, 2},
    {"char", ftString, 1},
    {"byte", ftString, 1},
    {"shorttext", ftString, 255},
    {"string", ftString, 255},
    {"widetext", ftWideString, 512},
    {"widestring", ftWideString, 512},
    {"currency", ftCurrency, 10},
    {"financial", ftCurrency, 10},
    {"money", ftCurrency, 10},
    {"blob", ftBlob, 4},
    {"graphic", ftGraphic, 4},
    {"clob", ftMemo, 4},
    {"memo", ftMemo, 4},
    {"text", ftMemo, 4},
    {"longtext", ftMemo, 4},
    {"nclob", ftWideString, 60},
    {"nmemo", ftWideString, 60},
    {"ntext", ftWideString, 60},
    {"nlongtext", ftWideString, 60},
};

TFieldMapping mapSized(const std::string &base, const std::string &inner)
{
    TFieldMapping m;
    if (base == "varchar" || base == "char" || base == "varchar2" || base == "text") {
        m.type = ftString;
        m.size = textToInt(inner);
    } else if (base == "nvarchar" || base == "nchar" || base == "nvarchar2") {
        m.type = ftWideString;
        m.size = 2 * textToInt(inner);
    } else if (base == "numeric") {
        m.type = ftFloat;
        size_t sep = inner.find('.');
        if (sep == std::string::npos)
            sep = inner.find(',');
        if (sep != std::string::npos) {
            m.size = textToInt(inner.substr(0, sep));
            m.precision = textToInt(inner.substr(sep + 1, 2));
        } else {
            m.size = textToInt(inner);
        }
    }
    return m;
}

} // namespace

TFieldMapping DeclaredTypeToField(const std::string &declaredType)
{
    const size_t open = declaredType.find('(');
    if (open != std::string::npos) {
        const size_t close = declaredType.find(')');
        if (close == std::string::npos)
            return {ftString, 256, 0};
        const std::string inner = close > open ? declaredType.substr(open + 1, close - open - 1) : std::string();
        return mapSized(toLowerAscii(declaredType.substr(0, open)), inner);
    }
    const std::string lower = toLowerAscii(declaredType);
    for (const NamedType &t : kPlainTypes) {
        if (lower == t.name)
            return {t.type, t.size, 0};
    }
    return {};
}

int TFieldDefs::IndexOf(const std::string &name) const
{
    for (size_t i = 0; i < defs_.size(); ++i) {
        if (equalsIgnoringCase(defs_[i].Name, name))
            return int(i);
    }
    return -1;
}

void TFieldDefs::Add(TFieldDef def)
{
    if (IndexOf(def.Name) >= 0) {
        for (int n = 1;; ++n) {
            const std::string candidate = def.Name + "_" + std::to_string(n);
            if (IndexOf(candidate) < 0) {
                def.Name = candidate;
                break;
            }
        }
    }
    defs_.push_back(std::move(def));
}

void BuildFieldDefs(sqlite3_stmt *statement, bool typeLess, TFieldDefs &defs, int &rowidColumn)
{
    const int columns = sqlite3_column_count(statement);
    if (columns == 0)
        return;
    defs.Clear();
    rowidColumn = -1;
    for (int i = 0; i < columns; ++i) {
        const char *rawName = sqlite3_column_name(statement, i);
        const std::string name = rawName ? rawName : "";
        if (equalsIgnoringCase(name, "rowid")) {
            rowidColumn = i;
            continue;
        }
        const char *declared = sqlite3_column_decltype(statement, i);
        const TFieldMapping m = DeclaredTypeToField(declared ? declared : "string");
        TFieldDef def;
        def.Name = name;
        if (typeLess) {
            def.DataType = ftString;
            def.Size = m.size;
        } else {
            def.DataType = m.type;
            if (traitsOf(m.type).sizedByDefinition)
                def.Size = m.size;
            if (m.type == ftFloat)
                def.Precision = m.precision;
        }
        defs.Add(std::move(def));
    }
}

} // namespace torvik::dataset
