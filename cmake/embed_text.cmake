# Turns a text file into a C++ source whose function returns its bytes, so
# that a program carries a document that is kept, and read, as a file.
# -DINPUT=file -DOUTPUT=source -DFUNCTION=name
file(READ "${INPUT}" esadecimale HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," byte "${esadecimale}")
get_filename_component(nome "${INPUT}" NAME)
file(WRITE "${OUTPUT}"
  "// Made at build time from ${nome}: edit that file, not this one.\n"
  "#include <string_view>\n\n"
  "namespace lorvenna {\n"
  "namespace {\n"
  "constexpr unsigned char kTesto[] = {${byte}};\n"
  "}  // namespace\n\n"
  "std::string_view ${FUNCTION}() {\n"
  "  return {reinterpret_cast<const char*>(kTesto), sizeof kTesto};\n"
  "}\n\n"
  "}  // namespace lorvenna\n")
