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

} // namespace torvik::codec
