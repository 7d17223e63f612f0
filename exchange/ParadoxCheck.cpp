#include "exchange/ParadoxCheck.h"

#include <QFile>

// pxlib's header declares C functions without saying so.
extern "C" {
#include <paradox.h>
}

#include <set>

namespace torvik::exchange {

namespace {

constexpr int kMinimumHeader = 0x78;
constexpr int kMbBlock = 4096;
// What tables without a password hold where the password's checksum goes.
constexpr uint32_t kNotEncrypted = 0xFF00FF00u;

uint16_t u16(const QByteArray &b, int at)
{
    return uint16_t(uint8_t(b[at]) | uint8_t(b[at + 1]) << 8);
}

uint32_t u32(const char *p)
{
    return uint32_t(uint8_t(p[0])) | uint32_t(uint8_t(p[1])) << 8 | uint32_t(uint8_t(p[2])) << 16
           | uint32_t(uint8_t(p[3])) << 24;
}

[[noreturn]] void damaged(const QString &what)
{
    throw ParadoxError(what);
}

bool fieldSizeFits(uint8_t type, int size)
{
    switch (type) {
    case pxfAlpha:
    case pxfBytes:
        return size >= 1 && size <= 255;
    case pxfDate:
    case pxfLong:
    case pxfTime:
    case pxfAutoInc:
        return size == 4;
    case pxfShort:
        return size == 2;
    case pxfCurrency:
    case pxfNumber:
    case pxfTimestamp:
        return size == 8;
    case pxfLogical:
        return size == 1;
    case pxfBCD:
        return size <= 32; // the header gives BCD fields their decimals; they take 17 bytes
    case pxfMemoBLOb:
    case pxfBLOb:
    case pxfFmtMemoBLOb:
    case pxfOLE:
    case pxfGraphic:
        return size >= 10 && size <= 250;
    default:
        return false;
    }
}

QByteArray readAt(QFile &file, qint64 offset, int size)
{
    if (!file.seek(offset))
        return {};
    return file.read(size);
}

} // namespace

ParadoxLayout checkParadoxTable(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        damaged(QStringLiteral("无法打开文件（%1）").arg(file.errorString()));
    const qint64 fileSize = file.size();
    const QByteArray head = readAt(file, 0, kMinimumHeader);
    if (head.size() < kMinimumHeader)
        damaged(QStringLiteral("文件太短，不是Paradox数据表"));

    ParadoxLayout layout;
    layout.recordSize = u16(head, 0x00);
    layout.headerSize = u16(head, 0x02);
    const uint8_t fileType = uint8_t(head[0x04]);
    const int maxTableSize = uint8_t(head[0x05]);
    const uint32_t records = u32(head.constData() + 0x06);
    const int fileBlocks = u16(head, 0x0C);
    const int firstBlock = u16(head, 0x0E);
    const int fieldCount = u16(head, 0x21);
    const uint8_t version = uint8_t(head[0x39]);

    if (fileType != pxfFileTypIndexDB && fileType != pxfFileTypNonIndexDB)
        damaged(QStringLiteral("文件不是Paradox数据表（.db）"));
    if (version < 3 || version > 12)
        damaged(QStringLiteral("文件不是Paradox数据表，或其版本无法识别"));
    // A password-protected table: pxlib would decipher its blocks with a key
    // it does not have and walk chains of garbage.
    const uint32_t encryption = u32(head.constData() + 0x25);
    const uint32_t encryption2 = version >= 5 ? u32(head.constData() + 0x5C) : 0;
    if ((encryption != 0 && encryption != kNotEncrypted) || encryption2 != 0)
        damaged(QStringLiteral("这是加密的Paradox数据表，无法读取"));
    if (maxTableSize < 1 || (maxTableSize > 4 && maxTableSize != 8 && maxTableSize != 16 && maxTableSize != 32))
        damaged(QStringLiteral("文件头中的数据块大小无效"));
    layout.blockSize = maxTableSize * 1024;
    const int fieldInfoAt = version >= 5 ? 0x78 : 0x58;
    if (fieldCount < 1 || fieldCount > 255 || layout.recordSize < 1 || layout.headerSize < fieldInfoAt + 2 * fieldCount
        || layout.headerSize > fileSize)
        damaged(QStringLiteral("文件头已损坏"));
    if (layout.recordSize > layout.blockSize - 6)
        damaged(QStringLiteral("文件头中的记录长度无效"));

    const QByteArray header = readAt(file, 0, layout.headerSize);
    if (header.size() != layout.headerSize)
        damaged(QStringLiteral("文件头不完整"));
    layout.codePage = version >= 5 ? u16(header, 0x6A) : 0;
    int sum = 0;
    for (int i = 0; i < fieldCount; ++i) {
        ParadoxFieldInfo info{uint8_t(header[fieldInfoAt + 2 * i]), uint8_t(header[fieldInfoAt + 2 * i + 1])};
        if (!fieldSizeFits(info.type, info.size))
            damaged(QStringLiteral("第%1个字段的类型或长度无效").arg(i + 1));
        if (info.type == pxfBCD) {
            info.decimals = info.size;
            info.size = 17;
        }
        sum += info.size;
        layout.fields.push_back(info);
    }
    if (sum != layout.recordSize)
        damaged(QStringLiteral("字段长度之和与记录长度不符"));
    // pxlib reads each field name up to its terminating zero; there must be
    // one per field inside the header.
    const int namesFrom = fieldInfoAt + 2 * fieldCount;
    if (header.mid(namesFrom).count('\0') < fieldCount + 1)
        damaged(QStringLiteral("文件头中的字段名不完整"));

    if (qint64(layout.headerSize) + qint64(fileBlocks) * layout.blockSize > fileSize)
        damaged(QStringLiteral("数据块超出文件末尾，文件可能被截断"));
    const int perBlock = (layout.blockSize - 6) / layout.recordSize;
    if (records > uint32_t(fileBlocks) * uint32_t(perBlock))
        damaged(QStringLiteral("文件头中的记录数大于数据块所能容纳的记录数"));

    // The chain of data blocks: every link inside the file, no block twice,
    // and as many records in it as the header says.
    int64_t chained = 0;
    std::set<int> seen;
    for (int block = records > 0 ? firstBlock : 0; block != 0;) {
        if (block < 1 || block > fileBlocks || !seen.insert(block).second)
            damaged(QStringLiteral("数据块链已损坏"));
        const QByteArray blockHead = readAt(file, layout.headerSize + qint64(block - 1) * layout.blockSize, 6);
        if (blockHead.size() != 6)
            damaged(QStringLiteral("数据块超出文件末尾，文件可能被截断"));
        const int next = u16(blockHead, 0);
        const int lastOffset = int16_t(u16(blockHead, 4));
        if (lastOffset >= 0) {
            if (lastOffset % layout.recordSize != 0 || lastOffset + layout.recordSize > layout.blockSize - 6)
                damaged(QStringLiteral("数据块中的记录数无效"));
            chained += lastOffset / layout.recordSize + 1;
        }
        block = next;
    }
    if (chained != int64_t(records))
        damaged(QStringLiteral("数据块中的记录数与文件头不符"));
    layout.recordCount = int(records);
    return layout;
}

ParadoxBlobFile::ParadoxBlobFile(const QString &path) : file_(path)
{
    if (!file_.open(QIODevice::ReadOnly))
        damaged(QStringLiteral("无法打开备注文件（%1）").arg(file_.errorString()));
    size_ = file_.size();
}

std::optional<std::string> ParadoxBlobFile::read(const char *fieldData, int fieldSize)
{
    const int leader = fieldSize - 10;
    const char *pointer = fieldData + leader;
    const uint32_t offset = u32(pointer);
    const uint32_t length = u32(pointer + 4);
    if (length == 0)
        return std::string();
    const qint64 blockAt = qint64(offset & 0xFFFFFF00u);
    if (blockAt == 0) {
        // Short values live in the record itself.
        if (length > uint32_t(leader))
            return std::nullopt;
        return std::string(fieldData, length);
    }
    if (!file_.isOpen() || blockAt + kMbBlock > size_ || qint64(length) > size_)
        return std::nullopt;
    const QByteArray head = readAt(file_, blockAt, kMbBlock);
    if (head.size() != kMbBlock)
        return std::nullopt;
    const int index = int(offset & 0xFF);
    qint64 dataAt = 0;
    switch (uint8_t(head[0])) {
    case 2: // one value in a block of its own, after a 9-byte header
        if (index != 0xFF || u32(head.constData() + 3) != length)
            return std::nullopt;
        dataAt = blockAt + 9;
        break;
    case 3: { // several values in one block, found through its table of entries
        const int entry = 12 + 5 * index;
        if (index >= 64 || entry + 5 > kMbBlock)
            return std::nullopt;
        dataAt = blockAt + qint64(uint8_t(head[entry])) * 16;
        if (dataAt + qint64(length) > blockAt + kMbBlock)
            return std::nullopt;
        break;
    }
    default:
        return std::nullopt;
    }
    if (dataAt + qint64(length) > size_)
        return std::nullopt;
    const QByteArray bytes = readAt(file_, dataAt, int(length));
    if (bytes.size() != qint64(length))
        return std::nullopt;
    return std::string(bytes.constData(), size_t(bytes.size()));
}

} // namespace torvik::exchange
