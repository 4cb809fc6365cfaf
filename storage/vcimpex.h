// The velocity-column filer: reads and writes files of vertical velocity profiles, each a header
// line "X=<x>" followed by lines of an elevation and a velocity.
#pragma once

#include <cstdint>
#include <fstream>
#include <vector>

#include "platform/runtime.h"

enum VCOperation : uint8_t {
  vcoRead = 0,   // open for reading
  vcoWrite = 1,  // open for writing: append to an existing file, create a missing one
};

enum VCReadPosition : uint8_t {
  vrpStart = 0,  // nothing read yet: the next call reads the first header itself
  vrpNext = 1,   // a block was read and the next header read ahead (its X is in NextX)
  vrpEnd = 2,    // the data are exhausted: no further call is to be made
};

// Result codes of ReadNextCol and of the model's velocity-column imports.
enum VCReadResult : int {
  vcrOk = 0,
  vcrFormat = 1,     // empty first line, a short data line, a block without data, a bad number
  vcrElevation = 2,  // an elevation not below the one of the line before it
  vcrVelocity = 3,   // a velocity not greater than 0
};

// What a code of the velocity-column reader or imports (5: no block within the model) says, in
// words, with the line it concerns: "line 7: the elevations do not descend".
AnsiString VelColFaultText(int code, int lineNo);

// File format: blocks of a header line holding '=' and the X behind it, then one line per depth
// point with the elevation and the velocity (separated by any run of commas, blanks and tabs;
// further fields ignored), elevations strictly descending, velocities above 0. An empty line or
// the end of the file ends the data.
class VCFiler {
 public:
  std::ifstream InFile;   // open in read mode
  std::ofstream OutFile;  // open in write mode; raises on a write failure
  AnsiString NumFormat;   // format of one number: "%13.3f" in write mode, empty in read mode
  float NextX;            // the X of the next block, read ahead at the end of the previous one
  bool IsOpen;            // the file was opened in the requested mode
  int LineNo;             // lines read so far (every try, the one at the end included)

  // Opens fileName for reading, or for appending (created when missing). Never throws.
  VCFiler(const AnsiString& fileName, VCOperation op);
  ~VCFiler() = default;  // the streams close themselves
  VCFiler(const VCFiler&) = delete;
  VCFiler& operator=(const VCFiler&) = delete;

  bool Opened() const { return IsOpen; }
  // Writes one block: "X=" and x formatted with NumFormat and trimmed, then a line of z[i] and
  // v[i] (NumFormat, a blank, NumFormat) per point. False without writing when z is empty, the
  // sizes differ, or NumFormat holds more than one conversion or one that does not take a
  // double. A write failure raises std::ios_base::failure to the caller.
  bool AppendCol(float x, const std::vector<float>& z, const std::vector<float>& v);
  // Reads one block into x, z and v (emptied first). Set pos to vrpStart before the first call;
  // afterwards it is vrpNext (the next header is read ahead) or vrpEnd. Returns a VCReadResult;
  // after a failure z and v hold the points read before it and LineNo is the offending line.
  int ReadNextCol(float& x, std::vector<float>& z, std::vector<float>& v, VCReadPosition& pos);

 private:
  int ReadBlock(float& x, std::vector<float>& z, std::vector<float>& v, VCReadPosition& pos);
  bool AtEnd();
};
