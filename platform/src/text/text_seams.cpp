// Test seams of the glyph engine: what a face resolved to.
#include "text/text_seams.h"

#include "text/text_internal.h"

const char* TextFaceFamily(const TextFace* face)
{
    if (!face || !TextFtFace(face)->family_name)
        return "";
    return TextFtFace(face)->family_name;
}

bool TextFaceFixedPitch(const TextFace* face)
{
    return face && face->fixedPitch;
}
