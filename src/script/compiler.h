#pragma once
// Compiling a stage: the stage file and the files its USES clause names
// become one table of named procedures.
//
// A file is a sequence of statements (see source_reader.h):
//   USES;  A.TXT,B.TXT;          the stage file only: each name, resolved
//                                like any game path, is compiled as a unit
//   TYPE;  PROCEDURE NAME(...);  ...  END;
//                                declarations: only declared names are
//                                compiled; the table keeps declaration order
//   IMPLEMENTATION;              a unit's procedures are compiled only
//                                after it; in the stage file a marker
//   PROCEDURE NAME...; [VAR; ...] BEGIN; ... END;   definitions
// The last definition of a name in reading order wins, wherever it is. A
// unit follows no USES, and its statements outside procedures are dropped.
//
// A declaration is not a definition: a name that is declared and never
// defined stays without a definition, so nothing runs it. (Compiling each
// declaration with whatever statements follow it as a stand-in body would
// let a stage's TYPE replace a procedure its used file had already defined,
// and would run another procedure's lines under an undefined name.)
//
// Problems that authors should hear of are reported (compiler_diagnostics.h):
// a used file that is missing or unreadable, a procedure whose BEGIN and END
// do not balance (it gets no lines), an IF or FOR whose block has no end, a
// definition of a name no TYPE declares (not compiled), a name declared but
// never defined. Bad input of any kind compiles to something, in time about
// in proportion to its size; nothing throws.

#include <string_view>

#include "engine/platform/file_resolver.h"
#include "objects/fnv_hash.h"
#include "objects/script_line.h"
#include "script/compiler_diagnostics.h"
#include "script/procedure_table.h"

namespace vuzed {

// What compiling a stage leaves for the stage director.
struct TCompiledScript {
  TProcedureTable Procedures;
  TLineList Statements;  // the stage file's statements, IF lines rewritten; never executed
  // FNV-1a of the bytes of every file compiled into the table, in reading
  // order: the stage file, then each used file the first time it is read.
  // Replays keep it to notice scripts that changed since the recording.
  uint64_t SourceHash = kFnvOffsetBasis;

  void Clear() {
    Procedures.Clear();
    Statements.clear();
    SourceHash = kFnvOffsetBasis;
  }
};

// Compiles the stage file at the game path (a path such as
// "data\Script\Stage1.txt", resolved through `files`, as are the names in its
// USES clause), adding to `script`. False, with nothing changed, when the
// file cannot be found or read.
bool CompileStage(const FileResolver& files, std::string_view gamePath, TCompiledScript& script,
                  TCompileDiagnostics* diagnostics = nullptr);

// The same for a stage file already read; `fileName` names it in messages.
// Without a resolver every used file counts as missing.
void CompileStageText(std::string_view bytes, std::string_view fileName, const FileResolver* files,
                      TCompiledScript& script, TCompileDiagnostics* diagnostics = nullptr);

// Compiles one file as a used file (a unit) on its own.
bool CompileUnit(const FileResolver& files, std::string_view gamePath, TCompiledScript& script,
                 TCompileDiagnostics* diagnostics = nullptr);
void CompileUnitText(std::string_view bytes, std::string_view fileName, TCompiledScript& script,
                     TCompileDiagnostics* diagnostics = nullptr);

}  // namespace vuzed
