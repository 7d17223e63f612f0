#pragma once

// Page keys: the MD5 digest of the password bytes, as the cipher's four words.

#include "codec/Xxtea.h"

#include <memory>

namespace torvik::codec {

// One heap key block. The read and write key of a codec state share one block
// while no re-key runs; the block is wiped when its last holder lets go.
using KeyRef = std::shared_ptr<const CipherKey>;

// The key of `count` password bytes at `bytes`; none (null) for a null pointer
// or a count below 1, which stands for "plain".
KeyRef deriveKey(const void *bytes, int count);

} // namespace torvik::codec
