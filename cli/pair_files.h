// The number-pair files the tool reads: a ground surface (x z) and a velocity-depth law (depth v).
#pragma once

#include <string>

#include "platform/number_pairs.h"

// Reads the pairs of the file at path (see ReadNumberPairs). A file that is missing, a folder or
// unreadable, and one whose content is refused, raise CommandError with one line naming the file
// and the line: "surface.txt line 4: x 400 is not above x 500 of line 3".
NumberPairs ReadPairFile(const std::string& path, const char* firstName, const char* secondName);

// "path line N: text", or "path: text" for line 0: a problem found at a line of a pair file.
std::string PairFileLine(const std::string& path, int line, const std::string& text);
