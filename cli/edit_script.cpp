// Reading edit scripts: the table of operations with their arguments, the checks of each line,
// and the calls of the checked edits.
#include "cli/edit_script.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>
#include <utility>

#include "cli/errors.h"
#include "cli/number_files.h"
#include "platform/strings.h"
#include "platform/textfile.h"

namespace fs = std::filesystem;

enum class ArgKind : unsigned char {
  kInt,         // a whole number
  kNumber,      // a finite number
  kIntList,     // whole numbers to the end of the line (the last positional argument only)
  kRange,       // A..B or A: 1-based, inclusive
  kFlag,        // an option without a value
  kNumberList,  // Z1,Z2,...: finite numbers separated by commas
  kNumberFile,  // a file of numbers, relative to the script's folder
};

// A positional argument (Name is its placeholder in the syntax) or an option (Name as written,
// Value the placeholder of its value).
struct ArgSpec {
  const char* Name;
  ArgKind Kind;
  const char* Value = "";
};

struct EditOperation {
  const char* Name;
  std::vector<ArgSpec> Positional;
  std::vector<ArgSpec> Options;
  std::vector<const char*> OneOf;  // exactly one of these options must be given
  std::string (*Apply)(BCEQuasiGrid& g, const EditArgs& a);
};

namespace {

constexpr size_t kEditLimit = 1000000;  // edits a script may hold

// ---- argument defaults ----

float Option(const EditArgs& a, const char* name, float fallback) {
  const auto it = a.Values.find(name);
  return it == a.Values.end() ? fallback : it->second;
}

// The least gap between lines: the model's own resolution unless --min-gap says otherwise, so
// that no line comes so close to another that the grid counts them as one.
float GapX(const BCEQuasiGrid& g, const EditArgs& a) {
  return Option(a, "--min-gap", g.XRes);
}
float GapZ(const BCEQuasiGrid& g, const EditArgs& a) {
  return Option(a, "--min-gap", g.ZRes);
}

NumberRange Range(const EditArgs& a, const char* name) {
  const auto it = a.Ranges.find(name);
  return it == a.Ranges.end() ? NumberRange{} : it->second;
}

// The velocities an edit may write, as for a new model.
constexpr float kLowestVelocity = 0;
constexpr float kHighestVelocity = 100000;

std::string Done() {
  return {};
}

// ---- the operations ----

const ArgSpec kGapX{"--min-gap", ArgKind::kNumber, "G"};
const ArgSpec kGapZ{"--min-gap", ArgKind::kNumber, "G"};
const ArgSpec kRatio{"--ratio", ArgKind::kNumber, "Q"};

std::string Continue(BCEQuasiGrid& g, char direction) {
  CheckedContinueVelocity(g, direction);
  return Done();
}

std::string ModifyVelocity(BCEQuasiGrid& g, const EditArgs& a) {
  const bool additive = a.Values.count("--add") > 0;
  const float amount = Option(a, additive ? "--add" : "--percent", 0);
  const bool clamped =
      CheckedModifyVelocity(g, amount, additive, Option(a, "--min", kLowestVelocity),
                            Option(a, "--max", kHighestVelocity));
  return clamped ? "some cells clamped to the --min or --max velocity" : Done();
}

std::string Remesh(BCEQuasiGrid& g, const EditArgs& a) {
  RemeshRequest r;
  r.Line = a.Ints[0];
  const auto file = a.Lists.find("--curve");
  r.Curve = file != a.Lists.end() ? file->second : a.Lists.at("--curve-values");
  r.TopLine = a.Flags.count("--top-line") > 0;
  r.Resample = a.Flags.count("--resample") > 0;
  r.MinGap = GapZ(g, a);
  CheckedRemesh(g, r);
  return Done();
}

const std::vector<EditOperation>& Operations() {
  using K = ArgKind;
  static const std::vector<EditOperation> table = {
      {"select",
       {},
       {{"cols", K::kRange, "A..B"}, {"rows", K::kRange, "C..D"}},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedSelect(g, Range(a, "cols"), Range(a, "rows"));
         return Done();
       }},
      {"unselect",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) {
         CheckedUnselect(g);
         return Done();
       }},
      {"insert-vlines",
       {{"N", K::kInt}},
       {kRatio, kGapX},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedInsertVLines(g, a.Ints[0], Option(a, "--ratio", 1), GapX(g, a));
         return Done();
       }},
      {"insert-hlines",
       {{"N", K::kInt}},
       {kRatio, kGapZ},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedInsertHLines(g, a.Ints[0], Option(a, "--ratio", 1), GapZ(g, a));
         return Done();
       }},
      {"delete-selected-lines",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) {
         CheckedDeleteSelectedLines(g);
         return Done();
       }},
      {"double-columns",
       {},
       {kGapX},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedDoubleColumns(g, GapX(g, a));
         return Done();
       }},
      {"double-rows",
       {},
       {kGapZ},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedDoubleRows(g, GapZ(g, a));
         return Done();
       }},
      {"halve-columns",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) {
         CheckedHalveColumns(g);
         return Done();
       }},
      {"halve-rows",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) {
         CheckedHalveRows(g);
         return Done();
       }},
      {"move-hline",
       {{"H", K::kInt}, {"DZ", K::kNumber}},
       {kGapZ},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedMoveHLine(g, a.Ints[0], a.Numbers[0], GapZ(g, a));
         return Done();
       }},
      {"move-selection",
       {{"DZ", K::kNumber}},
       {kGapZ},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedMoveSelection(g, a.Numbers[0], GapZ(g, a));
         return Done();
       }},
      {"move-selection-top",
       {{"DZ", K::kNumber}},
       {kGapZ},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedMoveSelectionTop(g, a.Numbers[0], GapZ(g, a));
         return Done();
       }},
      {"move-selection-bottom",
       {{"DZ", K::kNumber}},
       {kGapZ},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedMoveSelectionBottom(g, a.Numbers[0], GapZ(g, a));
         return Done();
       }},
      {"set-velocity",
       {{"V", K::kNumber}},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedSetVelocity(g, a.Numbers[0]);
         return Done();
       }},
      {"modify-velocity",
       {},
       {{"--percent", K::kNumber, "P"},
        {"--add", K::kNumber, "A"},
        {"--min", K::kNumber, "V"},
        {"--max", K::kNumber, "V"}},
       {"--percent", "--add"},
       ModifyVelocity},
      {"set-apex-velocities",
       {{"TL", K::kNumber}, {"TR", K::kNumber}, {"BL", K::kNumber}, {"BR", K::kNumber}},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         const std::vector<float>& v = a.Numbers;
         CheckedSetApexVelocities(g, v[0], v[1], v[2], v[3]);
         return Done();
       }},
      {"continue-velocity-down",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) { return Continue(g, 'D'); }},
      {"continue-velocity-up",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) { return Continue(g, 'U'); }},
      {"continue-velocity-right",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) { return Continue(g, 'R'); }},
      {"continue-velocity-left",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) { return Continue(g, 'L'); }},
      {"continue-velocity-both",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) { return Continue(g, 'B'); }},
      {"interpolate-between-columns",
       {{"C1 C2 ...", K::kIntList}},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         // Without columns: between the first and last selected ones.
         if (a.Ints.empty()) {
           CheckedInterpolateBetweenColumns(g);
         } else {
           CheckedInterpolateFromColumns(g, a.Ints);
         }
         return Done();
       }},
      {"fix-selection",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) {
         CheckedFixSelection(g, true);
         return Done();
       }},
      {"free-selection",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) {
         CheckedFixSelection(g, false);
         return Done();
       }},
      {"free-all",
       {},
       {},
       {},
       [](BCEQuasiGrid& g, const EditArgs&) {
         CheckedFreeAll(g);
         return Done();
       }},
      {"remesh",
       {{"LINE", K::kInt}},
       {{"--curve", K::kNumberFile, "FILE"},
        {"--curve-values", K::kNumberList, "Z1,Z2,..."},
        {"--top-line", K::kFlag},
        {"--resample", K::kFlag},
        kGapZ},
       {"--curve", "--curve-values"},
       Remesh},
  };
  return table;
}

// Short names for the most used operations.
constexpr std::pair<const char*, const char*> kAliases[] = {
    {"continue-down", "continue-velocity-down"},
    {"continue-up", "continue-velocity-up"},
    {"fix", "fix-selection"},
    {"free", "free-selection"}};

const EditOperation* FindOperation(const std::string& word) {
  std::string name = word;
  for (const auto& [alias, full] : kAliases) {
    if (word == alias) name = full;
  }
  for (const EditOperation& op : Operations()) {
    if (name == op.Name) return &op;
  }
  return nullptr;
}

// "[--ratio Q]", "(--percent P | --add A)", "[C1 C2 ...]": one argument in the syntax.
std::string OptionSyntax(const ArgSpec& o) {
  return *o.Value ? std::string(o.Name) + " " + o.Value : std::string(o.Name);
}

std::string Syntax(const EditOperation& op) {
  std::string s = op.Name;
  for (const ArgSpec& p : op.Positional)
    s += p.Kind == ArgKind::kIntList ? " [" + std::string(p.Name) + "]" : " " + std::string(p.Name);
  if (!op.OneOf.empty()) {
    std::string group;
    for (const ArgSpec& o : op.Options) {
      for (const char* one : op.OneOf) {
        if (std::string(one) == o.Name) group += (group.empty() ? "" : " | ") + OptionSyntax(o);
      }
    }
    s += " (" + group + ")";
  }
  for (const ArgSpec& o : op.Options) {
    bool inGroup = false;
    for (const char* one : op.OneOf) inGroup = inGroup || std::string(one) == o.Name;
    if (!inGroup) s += " [" + OptionSyntax(o) + "]";
  }
  return s;
}

// ---- reading a line ----

// Where a line of a script stands, for messages and for the files it names.
struct ScriptPlace {
  const std::string& name;  // the script as messages name it
  const fs::path& folder;   // where the files it names are found
  int line;
};

[[noreturn]] void Refuse(const ScriptPlace& at, const std::string& why) {
  throw UsageError(at.name + ":" + std::to_string(at.line) + ": " + why);
}

// A word shown in a message: quoted, and cut short when long.
std::string Shown(const std::string& word) {
  constexpr size_t kShown = 40;
  return "'" + (word.size() > kShown ? word.substr(0, kShown) + "..." : word) + "'";
}

NumberRange ParseRange(const std::string& word, bool& ok) {
  const size_t dots = word.find("..");
  NumberRange r;
  ok = StrToIntChecked(word.substr(0, dots), r.First);
  r.Last = r.First;
  if (dots != std::string::npos) ok = ok && StrToIntChecked(word.substr(dots + 2), r.Last);
  ok = ok && r.First >= 1 && r.Last >= 1;
  return r;
}

std::vector<float> ParseNumberList(const std::string& word, bool& ok) {
  std::vector<float> values;
  std::vector<std::string> parts(1);
  for (const char c : word) {
    if (c == ',') {
      parts.emplace_back();
    } else {
      parts.back().push_back(c);
    }
  }
  ok = true;
  for (const std::string& part : parts) {
    float v = 0;
    ok = ok && StrToFloatChecked(part, v);
    values.push_back(v);
  }
  return values;
}

// Converts the value word of an argument into args; refuses a word that is not of its kind.
void Convert(const ArgSpec& spec, bool option, const std::string& word, const ScriptPlace& at,
             const EditOperation& op, EditArgs& args) {
  const std::string what = std::string(op.Name) + ": " + (option ? OptionSyntax(spec) : spec.Name);
  bool ok = false;
  switch (spec.Kind) {
    case ArgKind::kInt:
    case ArgKind::kIntList: {
      int v = 0;
      ok = StrToIntChecked(word, v);
      if (!ok) Refuse(at, what + " needs a whole number, got " + Shown(word));
      args.Ints.push_back(v);
      return;
    }
    case ArgKind::kNumber: {
      float v = 0;
      ok = StrToFloatChecked(word, v);
      if (!ok) Refuse(at, what + " needs a finite number, got " + Shown(word));
      if (option) {
        args.Values[spec.Name] = v;
      } else {
        args.Numbers.push_back(v);
      }
      return;
    }
    case ArgKind::kRange:
      args.Ranges[spec.Name] = ParseRange(word, ok);
      if (!ok) Refuse(at, what + " needs whole numbers from 1, got " + Shown(word));
      return;
    case ArgKind::kNumberList:
      args.Lists[spec.Name] = ParseNumberList(word, ok);
      if (!ok) Refuse(at, what + " needs finite numbers separated by commas, got " + Shown(word));
      return;
    case ArgKind::kNumberFile: {
      const fs::path file = at.folder / word;  // an absolute word replaces the folder
      try {
        args.Lists[spec.Name] = ReadNumberFile(file.string(), 0, "elevations").Values;
      } catch (const CommandError& e) {
        throw CommandError(at.name + ":" + std::to_string(at.line) + ": " + op.Name + ": " +
                           e.what());
      }
      return;
    }
    case ArgKind::kFlag:
      args.Flags.insert(spec.Name);
      return;
  }
}

const ArgSpec* FindOption(const EditOperation& op, const std::string& word) {
  for (const ArgSpec& o : op.Options) {
    if (word == o.Name) return &o;
  }
  return nullptr;
}

// The arguments of op from words[1..]: options wherever they stand, positional arguments in
// order.
EditArgs ParseArguments(const EditOperation& op, const std::vector<std::string>& words,
                        const ScriptPlace& at) {
  EditArgs args;
  std::set<std::string> given;
  size_t positional = 0;
  const std::string usage = " (" + Syntax(op) + ")";
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (const ArgSpec* o = FindOption(op, word)) {
      if (!given.insert(o->Name).second)
        Refuse(at, std::string(op.Name) + ": " + word + " given twice");
      if (o->Kind != ArgKind::kFlag && i + 1 == words.size())
        Refuse(at, std::string(op.Name) + ": " + word + " needs a value" + usage);
      Convert(*o, true, o->Kind == ArgKind::kFlag ? word : words[++i], at, op, args);
      continue;
    }
    if (word.rfind("--", 0) == 0)
      Refuse(at, std::string(op.Name) + ": unknown option " + Shown(word) + usage);
    const bool list = !op.Positional.empty() && op.Positional.back().Kind == ArgKind::kIntList;
    if (positional == op.Positional.size() && list) --positional;
    if (positional == op.Positional.size())
      Refuse(at, std::string(op.Name) + ": unexpected argument " + Shown(word) + usage);
    Convert(op.Positional[positional++], false, word, at, op, args);
  }
  for (; positional < op.Positional.size(); ++positional) {
    if (op.Positional[positional].Kind != ArgKind::kIntList)
      Refuse(at, std::string(op.Name) + ": missing " + op.Positional[positional].Name + usage);
  }
  if (!op.OneOf.empty()) {
    size_t count = 0;
    std::string names;
    for (const char* one : op.OneOf) {
      count += given.count(one);
      names += (names.empty() ? "" : " or ") + std::string(one);
    }
    if (count != 1) Refuse(at, std::string(op.Name) + ": needs either " + names + usage);
  }
  return args;
}

}  // namespace

EditScript ReadEditScript(const std::string& path) {
  EditScript script;
  const bool standardInput = path == "-";
  script.Name = standardInput ? "stdin" : path;
  const fs::path folder = standardInput ? fs::path() : fs::path(path).parent_path();
  std::ifstream file;
  if (!standardInput) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) throw CommandError(path + ": is a folder, not a file");
    file.open(path, std::ios::binary);
    if (!file) throw CommandError("cannot read " + path + ": " + std::strerror(errno));
  }
  std::istream& in = standardInput ? std::cin : file;
  std::string text;
  for (int line = 1;; ++line) {
    const ScriptPlace at{script.Name, folder, line};
    const LineRead got = S_ReadLnLimited(in, text, kNumberLineLimit);
    if (got == LineRead::kEnd) break;
    if (got == LineRead::kTooLong)
      Refuse(at, "the line is longer than " + std::to_string(kNumberLineLimit) + " characters");
    std::vector<std::string> words;
    S_StrToStrArray(text.substr(0, text.find('#')), " \t", words);
    if (words.empty()) continue;
    if (script.Edits.size() == kEditLimit || line == INT_MAX)
      Refuse(at, "a script holds at most " + std::to_string(kEditLimit) + " edits");
    const EditOperation* op = FindOperation(words[0]);
    if (op == nullptr) Refuse(at, "unknown operation " + Shown(words[0]));
    script.Edits.push_back(EditLine{line, op, ParseArguments(*op, words, at)});
  }
  if (in.bad()) throw CommandError("cannot read " + path + ": " + std::strerror(errno));
  return script;
}

const char* EditName(const EditLine& edit) {
  return edit.Op->Name;
}

std::string ApplyEdit(BCEQuasiGrid& model, const EditLine& edit) {
  return edit.Op->Apply(model, edit.Args);
}

std::string EditScriptSyntax() {
  std::string text;
  for (const EditOperation& op : Operations()) {
    text += "  " + Syntax(op);
    for (const auto& [alias, full] : kAliases) {
      if (std::string(full) == op.Name) text += std::string("   (short: ") + alias + ")";
    }
    text += "\n";
  }
  return text;
}
