#include "script/compile_command.h"

#include <optional>
#include <ostream>

#include "engine/platform/file_resolver.h"
#include "script/compiler.h"
#include "script/source_reader.h"

namespace vuzed {
namespace {

const char* const kCompileHelp =
    "usage: vuzed-tool compile [--unit] FILE\n"
    "Compiles FILE as a stage file, with the files its USES clause names\n"
    "(resolved against the current directory), or with --unit as a used file,\n"
    "and prints the procedure table in table order:\n"
    "  == NAME\n"
    "  vars: A,B,C\n"
    "  0: FIRST COMPILED LINE\n"
    "A name declared but never defined prints \"(undefined)\" instead of vars and\n"
    "lines. Messages for authors go to stderr as FILE:LINE: text.\n"
    "Exit status: 0 compiled, 1 FILE cannot be read, 2 bad arguments.\n";

void PrintProcedures(const TProcedureTable& table, std::ostream& out) {
  for (std::size_t i = 0; i < table.Count(); ++i) {
    const TProcedureEntry& entry = table[i];
    if (entry.Name.empty()) continue;
    out << "== " << entry.Name << "\n";
    if (!entry.Definition) {
      out << "(undefined)\n";
      continue;
    }
    out << "vars:";
    const TVarTable& vars = *entry.Vars;
    for (std::size_t v = 0; v < vars.Count(); ++v) out << (v == 0 ? " " : ",") << vars[v].Name;
    out << "\n";
    const TLineList& lines = *entry.Lines;
    for (std::size_t n = 0; n < lines.size(); ++n) out << n << ": " << lines[n].Text << "\n";
  }
}

}  // namespace

int CompileCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  bool unit = false;
  bool optionsDone = false;
  std::optional<std::string> file;
  for (const std::string& a : args) {
    if (!optionsDone && (a == "--help" || a == "-h")) {
      out << kCompileHelp;
      return 0;
    }
    if (!optionsDone && a == "--unit") {
      unit = true;
    } else if (!optionsDone && a == "--") {
      optionsDone = true;
    } else if (!optionsDone && a.size() > 1 && a.front() == '-') {
      err << "vuzed-tool compile: unknown option " << a << "\n" << kCompileHelp;
      return 2;
    } else if (file) {
      err << "vuzed-tool compile: one FILE only\n" << kCompileHelp;
      return 2;
    } else {
      file = a;
    }
  }
  if (!file) {
    err << "vuzed-tool compile: no FILE given\n" << kCompileHelp;
    return 2;
  }

  const std::optional<std::string> bytes = ReadScriptFile(*file);
  if (!bytes) {
    err << "vuzed-tool compile: cannot read " << *file << "\n";
    return 1;
  }
  TCompiledScript script;
  TCompileDiagnostics diagnostics;
  const FileResolver files(".");
  if (unit)
    CompileUnitText(*bytes, *file, script, &diagnostics);
  else
    CompileStageText(*bytes, *file, &files, script, &diagnostics);
  PrintProcedures(script.Procedures, out);
  for (const std::string& message : diagnostics.Messages()) err << message << "\n";
  return 0;
}

}  // namespace vuzed
