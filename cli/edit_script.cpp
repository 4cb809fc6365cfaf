// Reading edit scripts: each line split into words, its operation found and its arguments checked
// and converted before any edit runs.
#include "cli/edit_script.h"

#include <cerrno>
#include <climits>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <system_error>

#include "cli/errors.h"
#include "cli/number_files.h"
#include "cli/number_lists.h"
#include "platform/strings.h"
#include "platform/textfile.h"

namespace fs = std::filesystem;

namespace {

constexpr size_t kEditLimit = 1000000;  // edits a script may hold

// Where a line of a script stands, for messages and for the files it names.
struct ScriptPlace {
  const std::string& name;  // the script as messages name it
  const fs::path& folder;   // where the files it names are found
  int line;
  const char* op = nullptr;  // the line's operation, once known
};

// "SCRIPT:LINE: OP: ", the start of every message about a line.
std::string Where(const ScriptPlace& at) {
  std::string where = at.name + ":" + std::to_string(at.line) + ": ";
  if (at.op != nullptr) where.append(at.op).append(": ");
  return where;
}

[[noreturn]] void Refuse(const ScriptPlace& at, const std::string& why) {
  throw UsageError(Where(at) + why);
}

// A refusal followed by the syntax of the line's operation.
[[noreturn]] void RefuseWithSyntax(const ScriptPlace& at, const EditOperation& op,
                                   std::string why) {
  why += " (";
  why += EditSyntax(op);
  why += ")";
  Refuse(at, why);
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

// Converts the value word of an argument into args; refuses a word that is not of its kind.
void Convert(const ArgForm& form, bool option, const std::string& word, const ScriptPlace& at,
             EditArgs& args) {
  const std::string what = option ? OptionSyntax(form) : form.Name;
  bool ok = false;
  switch (form.Kind) {
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
        args.Values[form.Name] = v;
      } else {
        args.Numbers.push_back(v);
      }
      return;
    }
    case ArgKind::kRange:
      args.Ranges[form.Name] = ParseRange(word, ok);
      if (!ok) Refuse(at, what + " needs whole numbers from 1, got " + Shown(word));
      return;
    case ArgKind::kNumberList:
      args.Lists[form.Name] = ParseFloatList(word, ok);
      if (!ok) Refuse(at, what + " needs finite numbers separated by commas, got " + Shown(word));
      return;
    case ArgKind::kNumberFile: {
      const fs::path file = at.folder / word;  // an absolute word replaces the folder
      try {
        args.Lists[form.Name] = ReadNumberFile(file.string(), 0, "elevations").Values;
      } catch (const CommandError& e) {
        throw CommandError(Where(at) + e.what());
      }
      return;
    }
    case ArgKind::kFlag:
      args.Flags.insert(form.Name);
      return;
  }
}

const ArgForm* FindOption(const EditOperation& op, const std::string& word) {
  for (const ArgForm& o : op.Options) {
    if (word == o.Name) return &o;
  }
  return nullptr;
}

// The arguments of op from words[1..]: options wherever they stand, positional arguments in
// order.
EditArgs ParseArguments(const EditOperation& op, const std::vector<std::string>& words,
                        ScriptPlace at) {
  at.op = op.Name;
  EditArgs args;
  std::set<std::string> given;
  size_t positional = 0;
  for (size_t i = 1; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (const ArgForm* o = FindOption(op, word)) {
      if (!given.insert(o->Name).second) Refuse(at, word + " given twice");
      if (o->Kind != ArgKind::kFlag && i + 1 == words.size())
        RefuseWithSyntax(at, op, word + " needs a value");
      Convert(*o, true, o->Kind == ArgKind::kFlag ? word : words[++i], at, args);
      continue;
    }
    if (word.rfind("--", 0) == 0) RefuseWithSyntax(at, op, "unknown option " + Shown(word));
    const bool list = !op.Positional.empty() && op.Positional.back().Kind == ArgKind::kIntList;
    if (positional == op.Positional.size() && list) --positional;
    if (positional == op.Positional.size())
      RefuseWithSyntax(at, op, "unexpected argument " + Shown(word));
    Convert(op.Positional[positional++], false, word, at, args);
  }
  for (; positional < op.Positional.size(); ++positional) {
    if (op.Positional[positional].Kind != ArgKind::kIntList)
      RefuseWithSyntax(at, op, std::string("missing ") + op.Positional[positional].Name);
  }
  if (!op.OneOf.empty()) {
    size_t count = 0;
    std::string names;
    for (const char* one : op.OneOf) {
      count += given.count(one);
      names += (names.empty() ? "" : " or ") + std::string(one);
    }
    if (count != 1) RefuseWithSyntax(at, op, "needs either " + names);
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
    if (line == INT_MAX) Refuse(at, "the script holds more lines than can be counted");
    if (got == LineRead::kTooLong)
      Refuse(at, "the line is longer than " + std::to_string(kNumberLineLimit) + " characters");
    std::vector<std::string> words;
    S_StrToStrArray(text.substr(0, text.find('#')), " \t", words);
    if (words.empty()) continue;
    if (script.Edits.size() == kEditLimit)
      Refuse(at, "a script holds at most " + std::to_string(kEditLimit) + " edits");
    const EditOperation* op = FindEditOperation(words[0]);
    if (op == nullptr) Refuse(at, "unknown operation " + Shown(words[0]));
    script.Edits.push_back(EditLine{line, op, ParseArguments(*op, words, at)});
  }
  if (in.bad()) throw CommandError("cannot read " + script.Name + ": " + std::strerror(errno));
  return script;
}

const char* EditName(const EditLine& edit) {
  return edit.Op->Name;
}

std::string ApplyEdit(BCEQuasiGrid& model, const EditLine& edit) {
  return edit.Op->Apply(model, edit.Args);
}
