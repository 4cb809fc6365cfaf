// File helpers of the Python module.
#include "python/file_support.h"

#include <pybind11/pybind11.h>
#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <ios>
#include <system_error>

#include "python/py_model.h"

namespace fs = std::filesystem;

ScratchFolder::ScratchFolder() {
  std::error_code ec;
  std::string pattern = (fs::temp_directory_path(ec) / "quasigrid-py.XXXXXX").string();
  if (ec || mkdtemp(pattern.data()) == nullptr)
    RaiseOSError("cannot create a temporary folder: " + std::string(std::strerror(errno)));
  path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ec;
  fs::remove_all(path_, ec);
}

void WriteFileInPlace(const std::string& path,
                      const std::function<std::string(const std::string& scratch)>& write) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) RaiseOSError("cannot write " + path + ": it is a folder");
  const std::string scratch = path + ".part";
  if (!std::ofstream(scratch, std::ios::binary | std::ios::trunc))
    RaiseOSError("cannot write " + path + ": " + std::strerror(errno));
  std::string why;
  bool streamFailed = false;
  try {
    why = write(scratch);
  } catch (const std::ios_base::failure& e) {
    why = e.what();
    streamFailed = true;
  } catch (...) {
    fs::remove(scratch, ec);
    throw;
  }
  if (!why.empty()) {
    fs::remove(scratch, ec);
    if (streamFailed) RaiseOSError("cannot write " + path + ": " + why);
    throw py::value_error("cannot write " + path + ": " + why);
  }
  fs::rename(scratch, path, ec);
  if (ec) {
    fs::remove(scratch, ec);
    RaiseOSError("cannot write " + path + ": " + ec.message());
  }
}

void WriteTextFile(const std::string& path, const std::function<void(std::ostream&)>& write) {
  WriteFileInPlace(path, [&write](const std::string& scratch) -> std::string {
    std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
    out.exceptions(std::ios::badbit | std::ios::failbit);
    write(out);
    out.close();
    return {};
  });
}

void RequireFile(const std::string& path) {
  std::error_code ec;
  if (!fs::is_regular_file(path, ec)) RaiseFileNotFound(path + ": no such file");
}
