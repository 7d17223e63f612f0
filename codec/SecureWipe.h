#pragma once

#include <cstddef>

namespace torvik::codec {

// Overwrites memory with zeros in a way the optimiser may not drop, for key
// material and page copies about to be freed.
void secureWipe(void *data, std::size_t size);

} // namespace torvik::codec
