// Code page 932 (Shift-JIS) characters: a lead byte and the trail byte
// after it make one character; any other byte is a character alone.
#pragma once

#include <stddef.h>

inline bool Cp932IsLeadByte(unsigned char byte)
{
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

// Bytes of the character at `text`, `remaining` bytes being left: 2 for a
// lead byte whose trail byte is there (and not NUL), else 1.
inline size_t Cp932CharacterLength(const char* text, size_t remaining)
{
    return remaining >= 2 && Cp932IsLeadByte(static_cast<unsigned char>(text[0])) && text[1] != '\0' ? 2 : 1;
}
