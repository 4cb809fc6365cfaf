// Whole-table copies between table files, through the database's own online backup.
#pragma once

#include "platform/runtime.h"

// Copies the table file fromPath onto toPath, replacing what toPath held. The source must be a
// table of ours; the target is rewritten in one transaction, so a copy that fails or is killed
// half-way leaves the target as it was. Failures raise EDBEngineError.
void CopyTableFile(const AnsiString& fromPath, const AnsiString& toPath);
