#include "dataset/RecordLayout.h"

#include "dataset/Errors.h"

namespace torvik::dataset {

int TRecordLayout::FieldSlotSize(TFieldType type, int size, const std::string &fieldName)
{
    const TFieldTypeTraits traits = traitsOf(type);
    if (traits.storage == TStorage::None)
        throw ESqliteError("Fieldtype of Field \"" + fieldName + "\" not supported!");
    return traits.sizedByDefinition ? size + traits.slotBytes : traits.slotBytes;
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
