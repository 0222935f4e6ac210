// What a TextFace resolved to, for diagnostics and tests.
#pragma once

struct TextFace;

// The FreeType family name of the face's font file ("IPAMincho"), or ""
// for null.
const char* TextFaceFamily(const TextFace* face);
// Whether half-width characters share one advance and all others twice it.
bool TextFaceFixedPitch(const TextFace* face);
