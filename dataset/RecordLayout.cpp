#include "dataset/RecordLayout.h"

#include "dataset/Errors.h"

namespace torvik::dataset {

int TRecordLayout::FieldSlotSize(TFieldType type, int size, const std::string &fieldName)
{
    switch (type) {
    case ftString:
        return size + 1;
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
        return int(sizeof(TBlobData *));
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

void TRecordLayout::FreeBlobs(uint8_t *record) const
{
    for (int i : blobFields_) {
        delete Blob(record, slots_[size_t(i)]);
        Put<TBlobData *>(record, slots_[size_t(i)], nullptr);
    }
}

void TRecordLayout::DeepCopyBlobs(uint8_t *record) const
{
    for (int i : blobFields_) {
        const TBlobData *original = Blob(record, slots_[size_t(i)]);
        Put<TBlobData *>(record, slots_[size_t(i)], original ? new TBlobData(*original) : new TBlobData());
    }
}

} // namespace torvik::dataset
