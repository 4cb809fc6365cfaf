// Comma-separated number lists of the tool's options, such as --extent 0,1000,-200,0.
#pragma once

#include <string>
#include <vector>

// Parses "a,b,c" into exactly count finite floats (or ints); a UsageError names the option.
std::vector<float> ParseFloats(const std::string& option, const std::string& text, size_t count);
std::vector<int> ParseInts(const std::string& option, const std::string& text, size_t count);
// Parses "a,b,..." into as many finite floats as it holds; ok is false when a field is not one.
std::vector<float> ParseFloatList(const std::string& text, bool& ok);
