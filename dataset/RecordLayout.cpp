#include "dataset/RecordLayout.h"

#include "dataset/Errors.h"

namespace torvik::dataset {

int TRecordLayout::FieldSlotSize(TFieldType type, int size, const std::string &fieldName)
{
    switch (type) {
    case ftString:
        return size + 1; // the text and the read-longer byte
    case ftSmallint:
    case ftInteger:
    case ftDate:
    case ftTime:
        return 4;
    case ftBoolean:
        return 2;
    case ftFloat:
    case ftCurrency:
    case ftBCD:
    case ftDateTime:
        return 8;
    case ftTimeStamp:
        return 16;
    case ftBlob:
    case ftMemo:
    case ftGraphic:
    case ftFmtMemo:
    case ftVariant:
        return int(sizeof(std::string *));
    case ftWideString:
        return size + 2;
    default:
        throw ESqliteError("Fieldtype of Field \"" + fieldName + "\" not supported!");
    }
}

void TRecordLayout::Clear()
{
    slots_.clear();
    blobFields_.clear();
    dataSize_ = 0;
}

void TRecordLayout::Build(const TFieldDefs &defs)
{
    Clear();
    const int flagBytes = (defs.Count() + 7) / 8;
    int offset = flagBytes;
    for (int i = 0; i < defs.Count(); ++i) {
        const TFieldDef &d = defs[i];
        TSlot s;
        s.type = d.DataType;
        s.size = d.Size;
        s.offset = offset;
        s.slotSize = FieldSlotSize(d.DataType, d.Size, d.Name);
        s.index = i;
        offset += s.slotSize;
        if (isBlobType(d.DataType))
            blobFields_.push_back(i);
        slots_.push_back(s);
    }
    dataSize_ = offset;
}

} // namespace torvik::dataset
