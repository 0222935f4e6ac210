// Test seams of the glyph engine (text_seams.cpp): what a TextFace
// resolved to.
#pragma once

struct TextFace;

// The FreeType family name of the face's font file ("IPAMincho"), or ""
// for null.
const char* TextFaceFamily(const TextFace* face);
// Whether half-width characters share one advance and all others twice it.
bool TextFaceFixedPitch(const TextFace* face);
