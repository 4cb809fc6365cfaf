// The table of edit-script operations: names, arguments, defaults, and the checked edits called.
#include "cli/edit_operations.h"

#include <utility>

namespace {

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

const ArgForm kMinGap{"--min-gap", ArgKind::kNumber, "G"};
const ArgForm kRatio{"--ratio", ArgKind::kNumber, "Q"};

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
       {kRatio, kMinGap},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedInsertVLines(g, a.Ints[0], Option(a, "--ratio", 1), GapX(g, a));
         return Done();
       }},
      {"insert-hlines",
       {{"N", K::kInt}},
       {kRatio, kMinGap},
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
       {kMinGap},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedDoubleColumns(g, GapX(g, a));
         return Done();
       }},
      {"double-rows",
       {},
       {kMinGap},
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
       {kMinGap},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedMoveHLine(g, a.Ints[0], a.Numbers[0], GapZ(g, a));
         return Done();
       }},
      {"move-selection",
       {{"DZ", K::kNumber}},
       {kMinGap},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedMoveSelection(g, a.Numbers[0], GapZ(g, a));
         return Done();
       }},
      {"move-selection-top",
       {{"DZ", K::kNumber}},
       {kMinGap},
       {},
       [](BCEQuasiGrid& g, const EditArgs& a) {
         CheckedMoveSelectionTop(g, a.Numbers[0], GapZ(g, a));
         return Done();
       }},
      {"move-selection-bottom",
       {{"DZ", K::kNumber}},
       {kMinGap},
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
        kMinGap},
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

}  // namespace

const EditOperation* FindEditOperation(const std::string& word) {
  std::string name = word;
  for (const auto& [alias, full] : kAliases) {
    if (word == alias) name = full;
  }
  for (const EditOperation& op : Operations()) {
    if (name == op.Name) return &op;
  }
  return nullptr;
}

std::string OptionSyntax(const ArgForm& o) {
  return *o.Value ? std::string(o.Name) + " " + o.Value : std::string(o.Name);
}

std::string EditSyntax(const EditOperation& op) {
  std::string s = op.Name;
  for (const ArgForm& p : op.Positional)
    s += p.Kind == ArgKind::kIntList ? " [" + std::string(p.Name) + "]" : " " + std::string(p.Name);
  if (!op.OneOf.empty()) {
    std::string group;
    for (const ArgForm& o : op.Options) {
      for (const char* one : op.OneOf) {
        if (std::string(one) == o.Name) group += (group.empty() ? "" : " | ") + OptionSyntax(o);
      }
    }
    s += " (" + group + ")";
  }
  for (const ArgForm& o : op.Options) {
    bool inGroup = false;
    for (const char* one : op.OneOf) inGroup = inGroup || std::string(one) == o.Name;
    if (!inGroup) s += " [" + OptionSyntax(o) + "]";
  }
  return s;
}

std::string EditScriptSyntax() {
  std::string text;
  for (const EditOperation& op : Operations()) {
    text += "  " + EditSyntax(op);
    for (const auto& [alias, full] : kAliases) {
      if (std::string(full) == op.Name) text += std::string("   (short: ") + alias + ")";
    }
    text += "\n";
  }
  return text;
}
