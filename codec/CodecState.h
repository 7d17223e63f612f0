#pragma once

// The codec state of one keyed main database: which key the pages on disk are
// under, which key pages are written with, and the one work buffer every
// enciphered copy is built in.

#include "codec/CodecKey.h"

#include <cstddef>
#include <memory>
#include <vector>

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

    // While a re-key runs, the file holds blocks under both keys: those the
    // rewrite has reached are under writeKey, the rest under readKey.
    bool rekeying() const { return readKey.get() != writeKey.get(); }
    const CipherKey *keyOnDisk(std::size_t block) const;
    void noteRewritten(std::size_t block);
    bool wasRewritten(std::size_t block) const { return block < rewritten.size() && rewritten[block]; }
    // Both keys become one again (either way): nothing to tell apart.
    void settleKeys(const KeyRef &key);

    KeyRef readKey;  // none: the file is plain
    KeyRef writeKey; // the same block as readKey except while re-keying
    int pageSize;
    std::unique_ptr<unsigned char[]> buffer; // pageSize + 8 bytes
    std::vector<bool> rewritten;             // by block number, while re-keying
};

} // namespace torvik::codec
