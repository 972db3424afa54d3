#include "script/compiler.h"

#include <cstddef>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/platform/ascii_case.h"
#include "objects/string_helpers.h"
#include "script/line_rewriter.h"
#include "script/procedure_compiler.h"
#include "script/source_reader.h"

namespace vuzed {
namespace {

std::shared_ptr<const std::string> FileName(std::string_view name) {
  return std::make_shared<const std::string>(name);
}

// A resolved file as authors know it: relative to the resolver's root.
std::string DisplayName(const FileResolver& files, const std::filesystem::path& path) {
  std::filesystem::path relative = path.lexically_relative(files.Root());
  if (relative.empty() || *relative.begin() == "..") return path.generic_string();
  return relative.generic_string();
}

std::optional<std::size_t> FindStatement(const TLineList& list, std::string_view text) {
  for (std::size_t i = 0; i < list.size(); ++i)
    if (SameTextIgnoringCase(list[i].Text, text)) return i;
  return std::nullopt;
}

// One compile of a stage file (with its units) or of a unit alone.
class TCompileSession {
 public:
  TCompileSession(TCompiledScript& script, const FileResolver* files, TCompileDiagnostics* diagnostics)
      : Script_(script), Files_(files), Diagnostics_(diagnostics), FirstNew_(script.Procedures.Count()) {}

  void LoadStage(std::string_view bytes, std::shared_ptr<const std::string> file);
  void LoadUnit(std::string_view bytes, std::shared_ptr<const std::string> file);
  // Reports the names this compile declared and never defined.
  void Finish();

 private:
  struct TNameInfo {
    TSourcePlace Declared;
    bool Defined = false;  // compiled from a statement outside any TYPE section
  };

  void UseFiles(const TScriptLine& fileList);
  void UseFile(std::string_view name, const TSourcePlace& where);
  void DeclareNames(const TLineList& list, std::size_t typeStatement, std::vector<bool>& inType);
  void CompileNamed(const TLineList& list, std::size_t p, bool isDeclaration);
  void Report(const TSourcePlace& place, const std::string& text) {
    if (Diagnostics_) Diagnostics_->Report(place, text);
  }

  TCompiledScript& Script_;
  const FileResolver* Files_;
  TCompileDiagnostics* Diagnostics_;
  std::size_t FirstNew_;           // table entries from here on were declared by this compile
  std::vector<TNameInfo> Names_;   // one per entry from FirstNew_ on
};

void TCompileSession::LoadStage(std::string_view bytes, std::shared_ptr<const std::string> file) {
  TLineList& statements = Script_.Statements;
  const std::size_t first = statements.size();
  TLineList read = ReadStatements(bytes, TSourceKind::Stage, std::move(file));
  statements.insert(statements.end(), std::make_move_iterator(read.begin()), std::make_move_iterator(read.end()));

  const std::size_t count = statements.size();
  std::vector<bool> inType(count, false);
  for (std::size_t p = first; p < count; ++p) {
    const std::string& s = statements[p].Text;
    if (StartsWithText("USES", s)) {
      if (p + 1 < count) UseFiles(statements[p + 1]);
    } else if (StartsWithText("TYPE;", s)) {
      DeclareNames(statements, p, inType);  // the walk goes on at p + 1 and compiles the declarations
    } else if (s.find("PROCEDURE ") != std::string::npos) {
      CompileNamed(statements, p, inType[p]);
    } else if (s.find("IF ") != std::string::npos) {
      RewriteIfLine(statements, p);  // the statement list is never run: this changes nothing that runs
    }
  }
}

void TCompileSession::LoadUnit(std::string_view bytes, std::shared_ptr<const std::string> file) {
  const TLineList list = ReadStatements(bytes, TSourceKind::Unit, std::move(file));
  std::vector<bool> inType(list.size(), false);
  if (std::optional<std::size_t> type = FindStatement(list, "TYPE;")) DeclareNames(list, *type, inType);
  if (std::optional<std::size_t> impl = FindStatement(list, "IMPLEMENTATION;")) {
    for (std::size_t p = *impl; p < list.size(); ++p)
      if (list[p].Text.find("PROCEDURE") != std::string::npos) CompileNamed(list, p, inType[p]);
  }
}

void TCompileSession::Finish() {
  for (std::size_t i = 0; i < Names_.size(); ++i) {
    const std::string& name = Script_.Procedures[FirstNew_ + i].Name;
    if (!name.empty() && !Names_[i].Defined)
      Report(Names_[i].Declared, "procedure " + name + " is declared but never defined");
  }
}

// "A.TXT,B.TXT;": each trimmed name before a "," or the final ";".
void TCompileSession::UseFiles(const TScriptLine& fileList) {
  const std::string text = fileList.Text;
  std::string_view names = text;
  if (names.ends_with(';')) names.remove_suffix(1);
  for (std::size_t from = 0;;) {
    const std::size_t comma = names.find(',', from);
    UseFile(TrimBlanks(names.substr(from, comma - from)), fileList.Place);
    if (comma == std::string_view::npos) break;
    from = comma + 1;
  }
}

void TCompileSession::UseFile(std::string_view name, const TSourcePlace& where) {
  const std::optional<std::filesystem::path> path = Files_ ? Files_->Resolve(name) : std::nullopt;
  if (!path) {
    Report(where, "used file \"" + std::string(name) + "\" not found");
    return;
  }
  const std::optional<std::string> bytes = ReadScriptFile(path->string());
  if (!bytes) {
    Report(where, "used file \"" + std::string(name) + "\" cannot be read");
    return;
  }
  LoadUnit(*bytes, FileName(DisplayName(*Files_, *path)));
}

// The TYPE walk: from the TYPE statement through the first statement that
// holds "END;", the name of every statement is declared (TYPE; and END; give
// the empty name).
void TCompileSession::DeclareNames(const TLineList& list, std::size_t typeStatement, std::vector<bool>& inType) {
  TProcedureTable& table = Script_.Procedures;
  for (std::size_t q = typeStatement; q < list.size(); ++q) {
    inType[q] = true;
    const std::size_t before = table.Count();
    table.Declare(ProcedureName(list[q].Text));
    if (table.Count() > before) Names_.push_back({list[q].Place, false});
    if (list[q].Text.find("END;") != std::string::npos) break;
  }
}

void TCompileSession::CompileNamed(const TLineList& list, std::size_t p, bool isDeclaration) {
  const TScriptLine& head = list[p];
  const std::string name = ProcedureName(head.Text);
  const int index = Script_.Procedures.IndexOf(name);
  if (index < 0) {
    if (!name.empty() && StartsWithText("PROCEDURE ", head.Text))
      Report(head.Place, "procedure " + name + " is not declared in a TYPE section and is not compiled");
    return;
  }
  // A declaration is compiled only to stand in until its definition comes.
  // It never replaces a real definition: a stage that declares a procedure
  // of a used file, compiled before the stage's TYPE, keeps that procedure.
  const bool earlierDefinition = std::size_t(index) < FirstNew_
                                     ? Script_.Procedures[std::size_t(index)].Definition != nullptr
                                     : Names_[std::size_t(index) - FirstNew_].Defined;
  if (isDeclaration && earlierDefinition) return;
  TCompiledProcedure compiled = CompileProcedure(list, p);
  if (!isDeclaration) {
    if (std::size_t(index) >= FirstNew_) Names_[std::size_t(index) - FirstNew_].Defined = true;
    if (!compiled.Balanced) Report(head.Place, "procedure " + name + ": BEGIN and END do not balance; it has no lines");
    for (std::size_t line : compiled.OpenBlocks) {
      const TScriptLine& open = compiled.Lines[line];
      Report(open.Place, std::string(StartsWithText("FOR(", open.Text) ? "FOR" : "IF") + " block has no end");
    }
  }
  Script_.Procedures.Define(index, std::move(compiled.Lines), std::move(compiled.Vars));
}

}  // namespace

bool CompileStage(const FileResolver& files, std::string_view gamePath, TCompiledScript& script,
                  TCompileDiagnostics* diagnostics) {
  const std::optional<std::filesystem::path> path = files.Resolve(gamePath);
  if (!path) return false;
  const std::optional<std::string> bytes = ReadScriptFile(path->string());
  if (!bytes) return false;
  CompileStageText(*bytes, DisplayName(files, *path), &files, script, diagnostics);
  return true;
}

void CompileStageText(std::string_view bytes, std::string_view fileName, const FileResolver* files,
                      TCompiledScript& script, TCompileDiagnostics* diagnostics) {
  TCompileSession session(script, files, diagnostics);
  session.LoadStage(bytes, FileName(fileName));
  session.Finish();
}

bool CompileUnit(const FileResolver& files, std::string_view gamePath, TCompiledScript& script,
                 TCompileDiagnostics* diagnostics) {
  const std::optional<std::filesystem::path> path = files.Resolve(gamePath);
  if (!path) return false;
  const std::optional<std::string> bytes = ReadScriptFile(path->string());
  if (!bytes) return false;
  CompileUnitText(*bytes, DisplayName(files, *path), script, diagnostics);
  return true;
}

void CompileUnitText(std::string_view bytes, std::string_view fileName, TCompiledScript& script,
                     TCompileDiagnostics* diagnostics) {
  TCompileSession session(script, nullptr, diagnostics);
  session.LoadUnit(bytes, FileName(fileName));
  session.Finish();
}

}  // namespace vuzed
