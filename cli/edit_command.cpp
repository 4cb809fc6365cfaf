// The edit command: a script of edits applied in order to a saved model, which is saved once,
// at the end, only when every edit succeeded; or, as a dry run, what each edit would change.
#include <CLI/CLI.hpp>

#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "cli/commands.h"
#include "cli/edit_changes.h"
#include "cli/edit_script.h"
#include "cli/errors.h"
#include "storage/model_folder.h"
#include "editing/equasigrid.h"

namespace {

struct EditOptions {
  std::string dir;
  std::string script;
  bool dryRun = false;
};

// "edits.txt:7: double-rows: ": where a message about an edit starts.
std::string At(const EditScript& script, const EditLine& edit) {
  return script.Name + ":" + std::to_string(edit.Line) + ": " + EditName(edit) + ": ";
}

// Applies one edit; a refusal becomes a CommandError naming the script line, after what was
// printed so far has gone out.
std::string Apply(BCEQuasiGrid& model, const EditScript& script, const EditLine& edit) {
  std::string why;
  try {
    return ApplyEdit(model, edit);
  } catch (const EditRefused& e) {
    why = e.what();
  } catch (const std::bad_alloc&) {
    why = "out of memory";
  }
  std::fflush(stdout);
  throw CommandError(At(script, edit) + why);
}

void Save(BCEQuasiGrid& model, const EditOptions& o, const EditScript& script,
          const HostFields& host) {
  try {
    SaveModelToFolder(model, o.dir, false, ExistingTable::kReplace, &host);
  } catch (const ModelFolderError& e) {
    if (e.kind() != ModelFolderError::kModel) throw;
    // The edits made a grid that the table cannot hold as it is: a failure of the script.
    throw CommandError(script.Name + ": " + e.what());
  }
  std::printf("applied %zu edit%s of %s; saved %d x %d nodes into %s\n", script.Edits.size(),
              script.Edits.size() == 1 ? "" : "s", script.Name.c_str(), model.GetNx(), model.Nz,
              TablePath(o.dir, false).c_str());
  if (const std::string lost = LostHostFields(model, host); !lost.empty())
    std::printf("%s\n", lost.c_str());
}

void RunEdit(const EditOptions& o) {
  const EditScript script = ReadEditScript(o.script);
  BCEQuasiGrid model;
  LoadSavedModel(o.dir, false, model);
  // The fields a tomography run wrote beside the model stay with the nodes they belong to.
  const HostFields host = LoadFolderHostFields(o.dir);
  if (script.Edits.empty()) {
    std::printf("%s holds no edits; nothing saved\n", script.Name.c_str());
    return;
  }
  std::optional<BCEQuasiGrid> before;
  for (const EditLine& edit : script.Edits) {
    if (o.dryRun) before = model;
    const std::string note = Apply(model, script, edit);
    if (o.dryRun) {
      std::printf("%s%s%s\n", At(script, edit).c_str(), DescribeEditChanges(*before, model).c_str(),
                  note.empty() ? "" : ("; " + note).c_str());
    } else if (!note.empty()) {
      std::printf("%s%s\n", At(script, edit).c_str(), note.c_str());
    }
  }
  if (o.dryRun) {
    std::printf("dry run: %zu edit%s applied, %d x %d nodes; nothing saved\n", script.Edits.size(),
                script.Edits.size() == 1 ? "" : "s", model.GetNx(), model.Nz);
    return;
  }
  Save(model, o, script, host);
}

}  // namespace

void DefineEditCommand(CLI::App& app) {
  auto o = std::make_shared<EditOptions>();
  CLI::App* cmd = app.add_subcommand("edit", "Apply a script of edits to the model of a folder");
  cmd->add_option("DIR", o->dir, "Model folder")->required();
  cmd->add_option("SCRIPT", o->script, "Script of edits, one a line; - reads standard input")
      ->required();
  cmd->add_flag("--dry-run", o->dryRun,
                "Apply the edits without saving and print what each one changed");
  cmd->footer(
      "One edit a line; '#' starts a comment; blank lines are skipped. Columns, rows and H-lines\n"
      "are numbered from 1 (rows and H-lines from the top); ranges A..B are inclusive, A alone\n"
      "is one. Options follow the edit's name in any order:\n" +
      EditScriptSyntax() +
      "select without cols or rows selects every cell; most edits act on the selection.\n"
      "--min-gap defaults to the model's X resolution for columns and V-lines and its Z\n"
      "resolution otherwise; --ratio to 1 (even spacing); --min and --max of modify-velocity to\n"
      "0 and 100000. A remesh curve holds one elevation per V-line; its FILE is found beside the\n"
      "script (in the current folder for standard input).\n"
      "The edits run in order on the model in memory; DIR/model.db and DIR/model.hor are saved\n"
      "once, atomically, when every edit succeeded. A refused edit is one line 'SCRIPT:LINE:\n"
      "EDIT: reason' with status 1, and nothing is saved; a line that is no edit (unknown name,\n"
      "missing or bad argument) is refused the same way with status 2 before any edit runs.\n"
      "--dry-run prints one line per edit: lines added or removed, nodes moved, cells whose\n"
      "velocity changed, cells fixed or freed, horizons moved, the selection.");
  cmd->callback([o] { RunEdit(*o); });
}
