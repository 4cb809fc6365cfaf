// File helpers of the Python module: a scratch folder for tables that only pass through, and
// files written beside their place and renamed into it.
#pragma once

#include <functional>
#include <ostream>
#include <string>

// A new folder under the temporary directory, removed with its files when the object goes.
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  const std::string& Path() const { return path_; }

 private:
  std::string path_;
};

// Creates the scratch file PATH.part, calls write with its name, then renames it to path, so
// that a failure never leaves half a file under the name asked for. OSError when the file cannot
// be created, written (std::ios_base::failure) or renamed; ValueError with write's text when it
// returns one (the model or the arguments make no such file). The scratch file is removed on
// any failure.
void WriteFileInPlace(const std::string& path,
                      const std::function<std::string(const std::string& scratch)>& write);

// The same for text written to a stream.
void WriteTextFile(const std::string& path, const std::function<void(std::ostream&)>& write);

// FileNotFoundError unless path names a regular file.
void RequireFile(const std::string& path);
