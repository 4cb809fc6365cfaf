// Build-time generator of the empty template tables model.db and modelbk.db in a directory.
#include <cstdio>
#include <string>

#include "platform/table_templates.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <template directory>\n", argv[0]);
    return 2;
  }
  std::string error;
  if (!WriteTemplateTables(argv[1], error)) {
    std::fprintf(stderr, "%s\n", error.c_str());
    return 1;
  }
  return 0;
}
