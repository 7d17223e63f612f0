#pragma once

// The codec state of one keyed main database: which key the pages on disk are
// under, which key pages are written with, and the one work buffer every
// enciphered copy is built in.

#include "codec/CodecKey.h"

#include <memory>

namespace torvik::codec {

// Encrypted files always have pages of this size; readers decipher them so
// without being told, since the header that records the size is enciphered.
constexpr int kEncryptedPageSize = 1024;

struct CodecState {
    CodecState(KeyRef read, KeyRef write, int pageSize);
    ~CodecState();
    CodecState(const CodecState &) = delete;
    CodecState &operator=(const CodecState &) = delete;

    // pageSize bytes of work space (the buffer after its 8 leading bytes).
    unsigned char *workArea() { return buffer.get() + 8; }
    std::size_t words() const { return std::size_t(pageSize) / 4; }

    KeyRef readKey;  // none: the file is plain
    KeyRef writeKey; // the same block as readKey except while re-keying
    int pageSize;
    std::unique_ptr<unsigned char[]> buffer; // pageSize + 8 bytes
};

} // namespace torvik::codec
