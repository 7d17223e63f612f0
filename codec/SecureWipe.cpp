#include "codec/SecureWipe.h"

namespace torvik::codec {

void secureWipe(void *data, std::size_t size)
{
    volatile unsigned char *p = static_cast<volatile unsigned char *>(data);
    while (size--)
        *p++ = 0;
}

} // namespace torvik::codec
