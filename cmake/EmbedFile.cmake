# Script mode: IN, OUT, SYMBOL.
file(READ ${IN} hex HEX)
string(LENGTH "${hex}" hex_len)
math(EXPR size "${hex_len} / 2")
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
string(REGEX REPLACE "((0x..,){32})" "\\1\n" body "${body}")
file(WRITE ${OUT}
  "#include <cstddef>\n"
  "extern const unsigned char ${SYMBOL}[] = {\n${body}\n};\n"
  "extern const std::size_t ${SYMBOL}_size = ${size};\n")
