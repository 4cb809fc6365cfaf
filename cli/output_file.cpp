// Writing an output file through a scratch file and a rename.
#include "cli/output_file.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "cli/errors.h"

namespace fs = std::filesystem;

void WriteFileInPlace(const std::string& path,
                      const std::function<std::string(const std::string& scratch)>& write) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) throw CommandError("cannot write " + path + ": it is a folder");
  const std::string scratch = path + ".part";
  std::string why = write(scratch);
  if (why.empty()) {
    fs::rename(scratch, path, ec);
    if (ec) why = ec.message();
  }
  if (!why.empty()) {
    fs::remove(scratch, ec);
    throw CommandError("cannot write " + path + ": " + why);
  }
}

void WriteTextFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
  WriteFileInPlace(path, [&write](const std::string& scratch) -> std::string {
    std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
    if (!out) return std::strerror(errno);
    write(out);
    out.close();
    if (!out) return "the file could not be written completely";
    return {};
  });
}
