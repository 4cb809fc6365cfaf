// A minimal PNG writer for the tool's pictures: 8-bit RGB, deflate in stored blocks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height pixels (RGB triples, rows from the top) to path; false on a write error.
bool WritePng(const std::string& path, int width, int height, const std::vector<uint8_t>& rgb);
