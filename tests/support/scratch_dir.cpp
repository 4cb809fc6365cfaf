// A fresh temporary directory for tests that need files, removed with its contents afterwards.
#include "support/scratch_dir.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>
#include <vector>

ScratchDir::ScratchDir(ScratchPlace place) {
  std::error_code ec;
  const std::filesystem::path memory = "/dev/shm";
  const bool inMemory = place == ScratchPlace::kMemory && std::filesystem::is_directory(memory, ec);
  const std::filesystem::path base = inMemory ? memory : std::filesystem::temp_directory_path();
  std::string pattern = (base / "quasigrid-XXXXXX").string();
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (mkdtemp(buffer.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = buffer.data();
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

void ScratchDir::Write(const std::string& name, const std::string& bytes) const {
  std::ofstream out(File(name), std::ios::binary | std::ios::trunc);
  out << bytes;
}

std::string ScratchDir::Read(const std::string& name) const {
  std::ifstream in(File(name), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}
