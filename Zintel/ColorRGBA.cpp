#include "Zintel/ColorRGBA.h"

#include <GL/gl.h>

#include <cstring>

namespace zintel
{

namespace
{

void sendBytes(uint32_t word, bool withAlpha)
{
    GLbyte bytes[4];
    std::memcpy(bytes, &word, sizeof bytes);
    if (withAlpha)
        glColor4bv(bytes);
    else
        glColor3bv(bytes);
}

} // namespace

void sendColor(uint32_t word)
{
    sendBytes(halvedColor(word), false);
}

void sendColorWithAlpha(uint32_t word, uint32_t halvedAlphaByte)
{
    sendBytes(halvedColor(word) | halvedAlphaByte, true);
}

} // namespace zintel
