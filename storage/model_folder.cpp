// Reading and writing a model folder, with reasons for every refusal.
#include "storage/model_folder.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "editing/equasigrid.h"
#include "platform/table.h"
#include "platform/textfile.h"

namespace fs = std::filesystem;

namespace {

// One problem as a line: the file, then the record or line it was found at.
std::string ProblemLine(const std::string& file, const char* unit, const ModelProblem& p) {
  std::string where = file;
  if (p.Where > 0) where += " " + std::string(unit) + " " + std::to_string(p.Where);
  return where + ": " + p.Text;
}

// The first reason why the table does not load, with the table store's own text as a fallback.
std::string FirstRefusal(const std::string& path) {
  for (const ModelProblem& p : CheckModelTable(path)) {
    if (!p.Loads) return ProblemLine(path, "record", p);
  }
  const std::string store = LastTableStoreError();
  return path + ": " + (store.empty() ? "cannot be loaded as a model" : store);
}

// The system's reason why a file cannot be created in dir, or empty text when one can.
std::string WhyFolderIsNotWritable(const std::string& dir) {
  if (access(dir.c_str(), W_OK) == 0) return {};
  return std::strerror(errno);
}

// Writes the horizons of the main model into a scratch file beside DIR/model.hor before the table
// is saved, so that the two files change together: the scratch file's path, or empty text when
// there are no horizons (the file is then removed after the save).
std::string WriteHorizonScratch(const BCQuasiGrid& model, const std::string& dir) {
  if (model.Hors.empty()) return {};
  std::string scratch = HorizonPath(dir) + ".part";
  std::ofstream out(scratch, std::ios::binary | std::ios::trunc);
  if (!out)
    throw ModelFolderError(ModelFolderError::kFiles,
                           "cannot write " + scratch + ": " + std::strerror(errno));
  for (const BCHor& h : model.Hors) S_WriteLn(out, h.GetAsString());
  out.close();
  if (!out) {
    std::error_code ec;
    fs::remove(scratch, ec);
    throw ModelFolderError(ModelFolderError::kFiles,
                           "cannot write " + HorizonPath(dir) + ": " + std::strerror(errno));
  }
  return scratch;
}

// Puts the horizons written by WriteHorizonScratch into place, or removes the file of a model
// without horizons.
void PlaceHorizonFile(const std::string& scratch, const std::string& dir) {
  std::error_code ec;
  if (scratch.empty()) {
    fs::remove(HorizonPath(dir), ec);
  } else {
    fs::rename(scratch, HorizonPath(dir), ec);
  }
  if (ec)
    throw ModelFolderError(ModelFolderError::kFiles, "saved the table, but cannot replace " +
                                                         HorizonPath(dir) + ": " + ec.message());
}

}  // namespace

ModelFolderError::ModelFolderError(Kind kind, const std::string& what)
    : std::runtime_error(what), kind_(kind) {}

std::string TablePath(const std::string& dir, bool backup) {
  return dir + (backup ? "/modelbk.db" : "/model.db");
}

std::string HorizonPath(const std::string& dir) {
  return dir + "/model.hor";
}

std::string WhyTableDoesNotLoad(const std::string& path) {
  std::error_code ec;
  if (!fs::exists(path, ec)) return "no model table " + path;
  if (!fs::is_regular_file(path, ec)) return path + ": not a file";
  const fs::path file(path);
  BCEQuasiGrid model;
  try {
    if (model.LoadModelDb(file.parent_path().string(), file.filename() == "modelbk.db", 5, true))
      return {};
  } catch (const EDBEngineError&) {
    // The reason is found again below, with the record it concerns.
  }
  return FirstRefusal(path);
}

void RequireReadableHorizonFile(const std::string& dir) {
  for (const ModelProblem& p : CheckHorizonFile(HorizonPath(dir), INT_MAX)) {
    if (p.Where == 0)
      throw ModelFolderError(ModelFolderError::kFiles, ProblemLine(HorizonPath(dir), "line", p));
  }
}

void LoadSavedModel(const std::string& dir, bool backup, BCEQuasiGrid& model) {
  const std::string table = TablePath(dir, backup);
  std::error_code ec;
  // The loader would copy an empty template into place; a missing table is the user's mistake.
  if (!fs::exists(table, ec))
    throw ModelFolderError(ModelFolderError::kMissing, "no model table " + table);
  bool loaded = false;
  try {
    loaded = model.LoadModelDb(dir, backup, kLoadGeometry | kLoadFixed, true);
  } catch (const EDBEngineError&) {
    loaded = false;
  }
  if (!loaded) throw ModelFolderError(ModelFolderError::kContent, FirstRefusal(table));
  const std::string horizons = HorizonPath(dir);
  for (const ModelProblem& p : CheckHorizonFile(horizons, model.Nz)) {
    if (!p.Loads)
      throw ModelFolderError(ModelFolderError::kContent, ProblemLine(horizons, "line", p));
  }
  if (const int bad = model.LoadHor(horizons); bad > 0)
    throw ModelFolderError(ModelFolderError::kContent,
                           horizons + ": horizon " + std::to_string(bad) +
                               " is not a horizon string or lies outside the grid");
}

std::vector<std::string> ListModelProblems(const std::string& dir, bool backup, int nz) {
  std::vector<std::string> lines;
  const std::string table = TablePath(dir, backup);
  for (const ModelProblem& p : CheckModelTable(table))
    lines.push_back(ProblemLine(table, "record", p));
  // Horizons are judged against the grid when it loads, else for their form alone.
  if (nz <= 0) {
    BCEQuasiGrid model;
    nz = INT_MAX;
    try {
      if (model.LoadModelDb(dir, backup, kLoadGeometry, true)) nz = model.Nz;
    } catch (const EDBEngineError&) {
    }
  }
  const std::string horizons = HorizonPath(dir);
  for (const ModelProblem& p : CheckHorizonFile(horizons, nz))
    lines.push_back(ProblemLine(horizons, "line", p));
  return lines;
}

std::string MoveDamagedAside(const std::string& path) {
  std::string aside = path + ".damaged";
  std::error_code ec;
  fs::remove_all(aside, ec);
  fs::rename(path, aside, ec);
  if (ec)
    throw ModelFolderError(ModelFolderError::kFiles,
                           "cannot move " + path + " aside: " + ec.message());
  return aside;
}

std::string SaveModelToFolder(BCEQuasiGrid& model, const std::string& dir, bool backup,
                              ExistingTable existing, const HostFields* host) {
  if (const std::string why = LoadBackProblem(model); !why.empty())
    throw ModelFolderError(ModelFolderError::kModel,
                           "the model would not load back as saved: " + why);
  const std::string table = TablePath(dir, backup);
  std::error_code ec;
  const bool exists = fs::exists(fs::symlink_status(table, ec));
  const std::string refusal = exists ? WhyTableDoesNotLoad(table) : std::string();
  if (exists && existing == ExistingTable::kRefuse) {
    throw ModelFolderError(ModelFolderError::kExists,
                           refusal.empty() ? table + " holds a model" : refusal);
  }
  if (fs::exists(dir, ec) && !fs::is_directory(dir, ec))
    throw ModelFolderError(ModelFolderError::kFiles,
                           "cannot create the folder " + dir + ": it is a file");
  RequireReadableHorizonFile(dir);
  fs::create_directories(dir, ec);
  if (ec)
    throw ModelFolderError(ModelFolderError::kFiles,
                           "cannot create the folder " + dir + ": " + ec.message());
  if (const std::string why = WhyFolderIsNotWritable(dir); !why.empty())
    throw ModelFolderError(ModelFolderError::kFiles,
                           "cannot save the model into " + table + ": " + why);

  const std::string horizons = backup ? std::string() : WriteHorizonScratch(model, dir);
  std::string movedTo;
  try {
    if (exists && !refusal.empty()) movedTo = MoveDamagedAside(table);
  } catch (const ModelFolderError&) {
    if (!horizons.empty()) fs::remove(horizons, ec);
    throw;
  }
  bool saved = false;
  try {
    saved = host != nullptr ? SaveModelDbWithHostFields(model, dir, backup, *host)
                            : model.SaveModelDb(dir, backup, kSaveGeometry | kSaveFixed);
  } catch (const EDBEngineError&) {
    saved = false;  // the store kept its reason
  }
  if (!saved) {
    const std::string store = LastTableStoreError();
    if (!movedTo.empty()) fs::rename(movedTo, table, ec);
    if (!horizons.empty()) fs::remove(horizons, ec);
    throw ModelFolderError(ModelFolderError::kFiles,
                           "cannot save the model into " + table + ": " +
                               (store.empty() ? std::string("the table store refused it") : store));
  }
  // The horizons belong to the main model: a new main table starts without the old ones.
  if (!backup) PlaceHorizonFile(horizons, dir);
  return movedTo.empty() ? std::string() : "moved the damaged " + table + " to " + movedTo;
}

HostFields LoadFolderHostFields(const std::string& dir) {
  HostFields host;
  if (!LoadHostFields(dir, false, host)) {
    throw ModelFolderError(ModelFolderError::kFiles, "cannot read the fields beside the model in " +
                                                         TablePath(dir, false) + ": " +
                                                         LastTableStoreError());
  }
  return host;
}

std::string LostHostFields(const BCEQuasiGrid& model, const HostFields& host) {
  const size_t n = static_cast<size_t>(model.GetNx()) * static_cast<size_t>(model.Nz);
  std::string lost;
  const std::pair<const char*, const std::vector<float>*> fields[] = {
      {"Aux2", &host.Aux2}, {"Aux6", &host.Aux6}, {"RayCov", &host.RayCov}, {"V2", &host.V2}};
  for (const auto& [name, values] : fields) {
    const bool holdsValues =
        std::any_of(values->begin(), values->end(), [](float v) { return v != 0; });
    if (holdsValues && values->size() != n) lost += (lost.empty() ? "" : ", ") + std::string(name);
  }
  return lost.empty() ? lost : "the grid changed size, so " + lost + " could not be kept";
}
