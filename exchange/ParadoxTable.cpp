#include "exchange/ParadoxTable.h"

#include "dataset/Errors.h"
#include "dataset/TextConvert.h"
#include "exchange/FileError.h"
#include "exchange/HexText.h"
#include "text/Gbk.h"

#include <QDir>
#include <QFileInfo>
#include <QStringDecoder>

// pxlib's header declares C functions without saying so.
extern "C" {
#include <paradox.h>
}

#include <algorithm>
#include <cstdlib>
#include <optional>

namespace torvik::exchange {

namespace {

// pxlib reports through a handler; the last message explains a failed call.
void rememberError(pxdoc_t *, int, const char *message, void *data)
{
    *static_cast<std::string *>(data) = message ? message : "";
}

// Paradox dates count days from 0001-01-01 as day 1, as the dataset layer's
// day numbers do; timestamps count milliseconds on the same scale. A day
// outside the years 1 to 9999 is a damaged value.
constexpr double kLastParadoxDay = 3652059; // 9999-12-31

bool isParadoxDay(double day)
{
    return day >= 1 && day < kLastParadoxDay + 1;
}

double dayCountOfParadoxDay(double day)
{
    return day - dataset::kDayNumberOf18991230;
}

QString decodeName(const char *name, int codePage)
{
    if (codePage == 936 || codePage == 0)
        return text::fromGbk(name);
    QStringDecoder decoder(codePage == 850 || codePage == 437 ? QByteArray("IBM" + QByteArray::number(codePage))
                                                              : QByteArray("windows-" + QByteArray::number(codePage)));
    if (!decoder.isValid())
        return text::fromGbk(name);
    return decoder.decode(QByteArrayView(name));
}

// The .mb file beside the table: same name, any letter case of the ending.
QString blobFileOf(const QString &tablePath)
{
    const QFileInfo table(tablePath);
    const QString wanted = table.completeBaseName() + QLatin1String(".mb");
    for (const QFileInfo &entry : table.dir().entryInfoList(QDir::Files))
        if (entry.fileName().compare(wanted, Qt::CaseInsensitive) == 0)
            return entry.filePath();
    return {};
}

// A BCD value as decimal text: 32 digits after the sign byte, complemented
// in negative values, the last `decimals` of them after the point. None when
// a digit is not one. Read here, not by pxlib, which leaks what it allocated
// for a value it then rejects.
std::optional<std::string> bcdText(const char *data, int decimals)
{
    constexpr int kDigits = 32;
    const bool positive = (static_cast<unsigned char>(data[0]) & 0x80) != 0;
    std::string text;
    if (!positive)
        text.push_back('-');
    for (int n = 0; n < kDigits; ++n) {
        if (n == kDigits - decimals)
            text.push_back('.');
        const auto b = static_cast<unsigned char>(data[1 + n / 2]);
        const int nibble = n % 2 == 0 ? b >> 4 : b & 0x0F;
        const int digit = positive ? nibble : 0x0F - nibble;
        if (digit > 9)
            return std::nullopt;
        text.push_back(char('0' + digit));
    }
    return text;
}

[[noreturn]] void refuse(const QString &path, const QString &reason)
{
    throwFileError(QStringLiteral("无法读取Q7数据库文件"), path, reason);
}

} // namespace

struct ParadoxTable::Doc {
    pxdoc_t *px = nullptr;
    std::string lastError;
    ~Doc()
    {
        if (px) {
            PX_close(px);
            PX_delete(px);
        }
    }
    // Memory pxlib hands out is given back through pxlib.
    struct Freed {
        pxdoc_t *px;
        void operator()(char *p) const
        {
            if (p)
                px->free(px, p);
        }
    };
    std::unique_ptr<char, Freed> owned(char *p) const { return {p, Freed{px}}; }
};

ParadoxTable::ParadoxTable(const QString &path) : doc_(std::make_unique<Doc>())
{
    const QString blobPath = blobFileOf(path);
    try {
        layout_ = checkParadoxTable(path);
        if (!blobPath.isEmpty()) {
            blobs_ = std::make_unique<ParadoxBlobFile>(blobPath);
        }
    } catch (const ParadoxError &e) {
        refuse(path, e.reason());
    }
    doc_->px = PX_new3(rememberError, nullptr, nullptr, nullptr, &doc_->lastError);
    if (!doc_->px)
        refuse(path, QStringLiteral("内存不足"));
    if (PX_open_file(doc_->px, QFile::encodeName(path).constData()) < 0)
        refuse(path, QString::fromLocal8Bit(doc_->lastError));
    if (PX_get_num_fields(doc_->px) != fieldCount() || PX_get_recordsize(doc_->px) != layout_.recordSize)
        refuse(path, QStringLiteral("文件头已损坏"));

    int offset = 0;
    for (int i = 0; i < fieldCount(); ++i) {
        const pxfield_t *field = PX_get_field(doc_->px, i);
        names_.push_back(decodeName(field && field->px_fname ? field->px_fname : "", layout_.codePage));
        offsets_.push_back(offset);
        offset += layout_.fields[size_t(i)].size;
    }
    record_.resize(size_t(layout_.recordSize));
}

ParadoxTable::~ParadoxTable() = default;

int ParadoxTable::findField(const QString &name) const
{
    for (int i = 0; i < fieldCount(); ++i)
        if (names_[size_t(i)].compare(name, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void ParadoxTable::readRecord(int record)
{
    if (record < 0 || record >= recordCount() || !PX_get_record(doc_->px, record, record_.data()))
        throw dataset::EDatabaseError(
            text::toGbk(QStringLiteral("无法读取Q7数据库的第%1条记录").arg(record + 1)));
}

std::string ParadoxTable::text(int field) const
{
    pxdoc_t *px = doc_->px;
    const ParadoxFieldInfo &info = layout_.fields[size_t(field)];
    char *data = const_cast<char *>(record_.data()) + offsets_[size_t(field)];
    const int size = info.size;
    const auto failed = [&] {
        return dataset::EDatabaseError(text::toGbk(
            QStringLiteral("无法读取Q7数据库字段“%1”的值").arg(names_[size_t(field)])));
    };
    const auto floatText = [](double v) { return dataset::floatToText(v); };

    switch (info.type) {
    case pxfAlpha: {
        char *value = nullptr;
        const int r = PX_get_data_alpha(px, data, size, &value);
        const auto owned = doc_->owned(value); // whatever the answer, the memory is ours
        if (r < 0)
            throw failed();
        return r == 0 || !value ? std::string() : std::string(value);
    }
    case pxfShort: {
        short v = 0;
        const int r = PX_get_data_short(px, data, size, &v);
        if (r < 0)
            throw failed();
        return r == 0 ? std::string() : std::to_string(v);
    }
    case pxfLong:
    case pxfAutoInc: {
        long v = 0;
        const int r = PX_get_data_long(px, data, size, &v);
        if (r < 0)
            throw failed();
        return r == 0 ? std::string() : std::to_string(v);
    }
    case pxfNumber:
    case pxfCurrency: {
        double v = 0;
        const int r = PX_get_data_double(px, data, size, &v);
        if (r < 0)
            throw failed();
        return r == 0 ? std::string() : floatText(v);
    }
    case pxfBCD: {
        if (std::all_of(data, data + size, [](char c) { return c == 0; }))
            return {};
        const std::optional<std::string> decimal = bcdText(data, info.decimals);
        double v = 0;
        if (!decimal || !dataset::tryTextToFloat(*decimal, v))
            throw failed();
        return floatText(v);
    }
    case pxfLogical: {
        char v = 0;
        const int r = PX_get_data_byte(px, data, size, &v);
        if (r < 0)
            throw failed();
        return r == 0 ? std::string() : (v ? "True" : "False");
    }
    case pxfDate: {
        long v = 0;
        const int r = PX_get_data_long(px, data, size, &v);
        if (r < 0 || (r > 0 && !isParadoxDay(double(v))))
            throw failed();
        return r == 0 ? std::string() : dataset::dayCountToDateText(dayCountOfParadoxDay(double(v)));
    }
    case pxfTime: {
        long v = 0;
        const int r = PX_get_data_long(px, data, size, &v);
        if (r < 0 || (r > 0 && (v < 0 || v >= dataset::kMsPerDay)))
            throw failed();
        return r == 0 ? std::string() : dataset::dayCountToTimeText(double(v) / double(dataset::kMsPerDay));
    }
    case pxfTimestamp: {
        double v = 0;
        const int r = PX_get_data_double(px, data, size, &v);
        if (r < 0 || (r > 0 && !isParadoxDay(v / double(dataset::kMsPerDay))))
            throw failed();
        return r == 0 ? std::string()
                      : dataset::dayCountToDateTimeText(dayCountOfParadoxDay(v / double(dataset::kMsPerDay)));
    }
    case pxfBytes: {
        char *value = nullptr;
        const int r = PX_get_data_bytes(px, data, size, &value);
        const auto owned = doc_->owned(value);
        if (r < 0)
            throw failed();
        if (r == 0 || !value)
            return {};
        return toHex(std::string_view(value, size_t(size)));
    }
    case pxfMemoBLOb:
    case pxfFmtMemoBLOb:
    case pxfBLOb:
    case pxfOLE:
    case pxfGraphic: {
        std::optional<std::string> bytes = blobs_ ? blobs_->read(data, size) : ParadoxBlobFile().read(data, size);
        if (!bytes)
            throw failed();
        if (info.type == pxfMemoBLOb || info.type == pxfFmtMemoBLOb)
            return std::move(*bytes);
        return toHex(*bytes);
    }
    default:
        throw failed();
    }
}

} // namespace torvik::exchange
