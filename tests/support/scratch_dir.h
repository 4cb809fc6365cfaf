// A fresh temporary directory for tests that need files, removed with its contents afterwards.
#pragma once

#include <string>

// Where a scratch folder lives: the temporary directory, or memory (/dev/shm) where the system
// offers it, for fuzzers that write a synced table millions of times.
enum class ScratchPlace { kTemporary, kMemory };

class ScratchDir {
 public:
  explicit ScratchDir(ScratchPlace place = ScratchPlace::kTemporary);
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;

  const std::string& Path() const { return path_; }
  // Path of name inside the directory.
  std::string File(const std::string& name) const { return path_ + "/" + name; }
  // Creates (or replaces) a file holding exactly the given bytes.
  void Write(const std::string& name, const std::string& bytes) const;
  // The bytes of a file, empty when it cannot be read.
  std::string Read(const std::string& name) const;

 private:
  std::string path_;
};
