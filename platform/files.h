// File system operations: existence, deletion and copying the files that match a name mask.
#pragma once

#include "platform/runtime.h"

// Whether fileName names an existing regular file (following symbolic links).
bool FileExists(const AnsiString& fileName);

// Removes the file; true when it was removed.
bool DeleteFileAt(const AnsiString& fileName);

// Whether name matches mask, where '*' stands for any run of characters and '?' for one.
bool MatchesMask(const AnsiString& name, const AnsiString& mask);

// Copies every regular file of the directory part of pathWithMask whose name matches its last
// part (such as "/some/dir/model.*") into targetDir. An existing target is left alone unless
// overwrite is true. Returns the number of files copied; failures are skipped.
int F_CopyDirFiles(const AnsiString& pathWithMask, const AnsiString& targetDir, bool overwrite);
