// Files the tool writes for other programs: written beside their place and renamed into it, so
// that a failure never leaves half a file under the name asked for.
#pragma once

#include <functional>
#include <ostream>
#include <string>

// Calls write with the name of a scratch file beside path, then renames it to path. write
// returns empty text or the reason it failed; any failure (its own, the stream's, the rename's)
// removes the scratch file and raises CommandError naming path.
void WriteFileInPlace(const std::string& path,
                      const std::function<std::string(const std::string& scratch)>& write);

// The same for text written to a stream.
void WriteTextFile(const std::string& path, const std::function<void(std::ostream&)>& write);
