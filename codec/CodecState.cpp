#include "codec/CodecState.h"

#include "codec/SecureWipe.h"

namespace torvik::codec {

CodecState::CodecState(KeyRef read, KeyRef write, int size)
    : readKey(std::move(read)), writeKey(std::move(write)), pageSize(size),
      buffer(new unsigned char[std::size_t(size) + 8]())
{
}

CodecState::~CodecState()
{
    // Partial reads leave a deciphered page here.
    secureWipe(buffer.get(), std::size_t(pageSize) + 8);
}

const CipherKey *CodecState::keyOnDisk(std::size_t block) const
{
    const KeyRef &key = rekeying() && wasRewritten(block) ? writeKey : readKey;
    return key.get();
}

void CodecState::noteRewritten(std::size_t block)
{
    if (!rekeying())
        return;
    if (block >= rewritten.size())
        rewritten.resize(block + 1);
    rewritten[block] = true;
}

void CodecState::settleKeys(const KeyRef &key)
{
    readKey = key;
    writeKey = key;
    rewritten.clear();
}

} // namespace torvik::codec
