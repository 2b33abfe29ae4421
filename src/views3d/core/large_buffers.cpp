#include "large_buffers.h"

#include "largememory.h"

namespace mesh {

void adviseHugePages(void *data, std::size_t bytes)
{
    largememory::adviseHugePages(data, bytes);
}

std::size_t largeArrayAlignment(std::size_t bytes)
{
    return largememory::alignmentFor(bytes);
}

} // namespace mesh
