# Writes the bytes of INPUT as a C++ array OUTPUT named by SYMBOL, with its
# size in SYMBOL##Size. Run with cmake -P.
file(READ "${INPUT}" hex HEX)
string(LENGTH "${hex}" length)
math(EXPR size "${length} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
string(REGEX REPLACE "(0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,0x..,)" "\\1\n" bytes "${bytes}")
file(WRITE "${OUTPUT}" "// Generated from ${INPUT}; do not edit.\n"
  "extern \"C\" const unsigned char ${SYMBOL}[] = {\n${bytes}\n};\n"
  "extern \"C\" const unsigned long ${SYMBOL}Size = ${size};\n")
