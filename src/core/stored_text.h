// The command words and verdict messages are kept with every byte
// complemented in the program's data, so they cannot be read off the file;
// start-up turns them back into text. Both forms are made here at compile
// time from plain literals.
#pragma once

#include <stddef.h>

template <size_t N>
struct StoredText {
    char bytes[N];
};

// A byte as stored: inverted, but a NUL stays a NUL.
constexpr char StoredByte(char plain)
{
    return static_cast<char>(plain == 0 ? 0 : ~static_cast<unsigned char>(plain));
}

// Every byte but the NULs inverted. Text holds no 0xFF byte (its
// complement would read as a NUL); Shift-JIS text never does.
template <size_t N>
constexpr StoredText<N> Complemented(const char (&text)[N])
{
    StoredText<N> stored{};
    for (size_t i = 0; i < N; ++i)
        stored.bytes[i] = StoredByte(text[i]);
    return stored;
}

template <size_t N>
constexpr bool HoldsNoFF(const char (&text)[N])
{
    for (size_t i = 0; i < N; ++i)
        if (static_cast<unsigned char>(text[i]) == 0xFF)
            return false;
    return true;
}

// Strings in a run of NUL-terminated messages closed by an empty string;
// a run that never closes counts as too many.
template <size_t N>
constexpr size_t CountMessages(const char (&run)[N])
{
    size_t count = 0;
    size_t i = 0;
    while (i < N && run[i] != 0) {
        while (i < N && run[i] != 0)
            ++i;
        ++i;
        ++count;
    }
    return i < N ? count : static_cast<size_t>(-1);
}

// Complements a NUL-terminated string in place, at start-up; returns its
// length + 1.
inline size_t ComplementText(char* text)
{
    size_t count = 0;
    while (text[count] != 0) {
        text[count] = static_cast<char>(~static_cast<unsigned char>(text[count]));
        ++count;
    }
    return count + 1;
}
