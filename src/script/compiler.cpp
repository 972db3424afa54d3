#include "script/compiler.h"

#include <algorithm>
#include <cstddef>
#include <filesystem>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "engine/platform/ascii_case.h"
#include "objects/string_helpers.h"
#include "script/block_index.h"
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

// One pre-processed file, kept until the end of the compile.
struct TSource {
  TLineList Statements;  // as read: the stage file's IF rewriting goes to TCompiledScript::Statements
  TBlockIndex Blocks;
  // A unit, once walked: its TYPE section has declared its names, and these
  // are its statements that may define a procedure.
  bool Walked = false;
  std::vector<std::size_t> Definitions;
  explicit TSource(TLineList statements) : Statements(std::move(statements)), Blocks(Statements) {}
};

// One compile of a stage file (with its units) or of a unit alone.
//
// Only the last definition of each name in reading order ends up in the
// table, so the walks only note where each name was last defined, and each
// winner is compiled once at the end. Its statements are those of the file
// as read: the stage file's own IF rewriting happens only after a definition
// has been copied, and never changes which lines count as BEGIN or END.
class TCompileSession {
 public:
  TCompileSession(TCompiledScript& script, const FileResolver* files, TCompileDiagnostics* diagnostics)
      : Script_(script), Files_(files), Diagnostics_(diagnostics), FirstNew_(script.Procedures.Count()) {}

  void LoadStage(std::string_view bytes, std::shared_ptr<const std::string> file);
  void LoadUnit(std::string_view bytes, std::shared_ptr<const std::string> file) {
    Script_.SourceHash = Fnv1a(bytes, Script_.SourceHash);
    LoadUnit(AddSource(ReadStatements(bytes, TSourceKind::Unit, std::move(file))));
  }
  // Compiles the definitions and reports the names declared and never defined.
  void Finish();

 private:
  struct TDefinitionSite {
    const TSource* Source = nullptr;
    std::size_t Statement = 0;
  };

  TSource& AddSource(TLineList statements) {
    Sources_.push_back(std::make_unique<TSource>(std::move(statements)));
    return *Sources_.back();
  }
  void LoadUnit(TSource& unit);
  void UseFiles(const TScriptLine& fileList);
  void UseFile(std::string_view name, const TSourcePlace& where);
  std::size_t DeclareNames(const TLineList& list, std::size_t typeStatement, std::vector<bool>& inType);
  void NoteDefinition(const TSource& source, std::size_t p);
  void Report(const TSourcePlace& place, const std::string& text) {
    if (Diagnostics_) Diagnostics_->Report(place, text);
  }

  TCompiledScript& Script_;
  const FileResolver* Files_;
  TCompileDiagnostics* Diagnostics_;
  std::size_t FirstNew_;                        // table entries from here on were declared by this compile
  std::vector<TSourcePlace> Declared_;          // per entry from FirstNew_ on: where it was declared
  std::vector<TDefinitionSite> LastDefinition_;  // per table entry
  std::vector<std::unique_ptr<TSource>> Sources_;
  std::map<std::string, TSource*> Units_;  // by resolved path: a file used twice is read once
};

void TCompileSession::LoadStage(std::string_view bytes, std::shared_ptr<const std::string> file) {
  Script_.SourceHash = Fnv1a(bytes, Script_.SourceHash);
  const TSource& stage = AddSource(ReadStatements(bytes, TSourceKind::Stage, std::move(file)));
  const TLineList& read = stage.Statements;
  TLineList& statements = Script_.Statements;
  const std::size_t first = statements.size();
  for (const TScriptLine& line : read) statements.push_back(line);
  const TBlockIndex statementBlocks(statements);

  std::vector<bool> inType(read.size(), false);
  std::size_t declaredThrough = 0;  // a TYPE inside an earlier TYPE walk declares nothing new
  bool declaredAny = false;
  for (std::size_t p = 0; p < read.size(); ++p) {
    const std::string& s = statements[first + p].Text;
    if (StartsWithText("USES", s)) {
      if (p + 1 < read.size()) UseFiles(read[p + 1]);
    } else if (StartsWithText("TYPE;", s)) {
      // The walk goes on at p + 1, through the declarations.
      if (!declaredAny || p > declaredThrough) declaredThrough = DeclareNames(read, p, inType);
      declaredAny = true;
    } else if (s.find("PROCEDURE ") != std::string::npos) {
      // A declaration inside TYPE is not a definition (see compiler.h).
      if (!inType[p]) NoteDefinition(stage, p);
    } else if (s.find("IF ") != std::string::npos) {
      // The statement list is never run: this changes nothing that runs.
      // Its BEGIN and END lines are those of the file as read.
      RewriteIfLine(statements, first + p, statementBlocks);
    }
  }
}

void TCompileSession::LoadUnit(TSource& unit) {
  // Used again, a unit declares nothing new (names are never removed), but
  // its definitions count again: they are now the last in reading order, and
  // names declared since its last use are compiled.
  const TLineList& list = unit.Statements;
  if (!unit.Walked) {
    unit.Walked = true;
    std::vector<bool> inType(list.size(), false);
    if (std::optional<std::size_t> type = FindStatement(list, "TYPE;")) DeclareNames(list, *type, inType);
    if (std::optional<std::size_t> impl = FindStatement(list, "IMPLEMENTATION;")) {
      for (std::size_t p = *impl; p < list.size(); ++p)
        if (!inType[p] && list[p].Text.find("PROCEDURE") != std::string::npos) unit.Definitions.push_back(p);
    }
  }
  for (std::size_t p : unit.Definitions) NoteDefinition(unit, p);
}

void TCompileSession::Finish() {
  TProcedureTable& table = Script_.Procedures;
  for (std::size_t i = 0; i < LastDefinition_.size(); ++i) {
    const TDefinitionSite& site = LastDefinition_[i];
    if (!site.Source) continue;
    TCompiledProcedure compiled = CompileProcedure(site.Source->Statements, site.Source->Blocks, site.Statement);
    // A line whose block has no end at all gets that message instead.
    for (const auto& [line, why] : compiled.Pitfalls)
      if (std::find(compiled.OpenBlocks.begin(), compiled.OpenBlocks.end(), line) == compiled.OpenBlocks.end())
        Report(compiled.Lines[line].Place, why);
    for (std::size_t line : compiled.OpenBlocks) {
      const TScriptLine& open = compiled.Lines[line];
      Report(open.Place, std::string(StartsWithText("FOR(", open.Text) ? "FOR" : "IF") + " block has no end");
    }
    table.Define(int(i), std::move(compiled.Lines), std::move(compiled.Vars));
  }
  for (std::size_t i = 0; i < Declared_.size(); ++i) {
    const std::size_t index = FirstNew_ + i;
    const std::string& name = table[index].Name;
    const bool defined = index < LastDefinition_.size() && LastDefinition_[index].Source;
    if (!name.empty() && !defined) Report(Declared_[i], "procedure " + name + " is declared but never defined");
  }
}

// "A.TXT,B.TXT;": each trimmed name before a "," or the final ";".
void TCompileSession::UseFiles(const TScriptLine& fileList) {
  std::string_view names = fileList.Text;
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
  TSource*& unit = Units_[path->string()];
  if (!unit) {
    const std::optional<std::string> bytes = ReadScriptFile(path->string());
    if (!bytes) {
      Report(where, "used file \"" + std::string(name) + "\" cannot be read");
      return;
    }
    Script_.SourceHash = Fnv1a(*bytes, Script_.SourceHash);
    unit = &AddSource(ReadStatements(*bytes, TSourceKind::Unit, FileName(DisplayName(*Files_, *path))));
  }
  LoadUnit(*unit);
}

// The TYPE walk: from the TYPE statement through the first statement that
// holds "END;", the name of every statement is declared (TYPE; and END; give
// the empty name). Returns the last statement walked.
std::size_t TCompileSession::DeclareNames(const TLineList& list, std::size_t typeStatement,
                                          std::vector<bool>& inType) {
  TProcedureTable& table = Script_.Procedures;
  std::size_t q = typeStatement;
  for (; q < list.size(); ++q) {
    inType[q] = true;
    const std::size_t before = table.Count();
    table.Declare(ProcedureName(list[q].Text));
    if (table.Count() > before) Declared_.push_back(list[q].Place);
    if (list[q].Text.find("END;") != std::string::npos) break;
  }
  return q;
}

void TCompileSession::NoteDefinition(const TSource& source, std::size_t p) {
  const TScriptLine& head = source.Statements[p];
  const std::string name = ProcedureName(head.Text);
  const int index = Script_.Procedures.IndexOf(name);
  if (index < 0) {
    if (!name.empty() && StartsWithText("PROCEDURE ", head.Text))
      Report(head.Place, "procedure " + name + " is not declared in a TYPE section and is not compiled");
    return;
  }
  if (!name.empty() && !source.Blocks.FindBodyEnd(p + 1))
    Report(head.Place, "procedure " + name + ": BEGIN and END do not balance; it has no lines");
  if (LastDefinition_.size() <= std::size_t(index)) LastDefinition_.resize(std::size_t(index) + 1);
  LastDefinition_[std::size_t(index)] = {&source, p};
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
