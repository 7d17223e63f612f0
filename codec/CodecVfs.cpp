#include "codec/CodecVfs.h"

namespace torvik::codec {

void installCodecVfs()
{
    // Nothing is registered yet: the page codec is being built.
}

} // namespace torvik::codec
