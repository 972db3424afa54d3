#pragma once
// Decoded script lines for the enemy and bullet interpreters.
//
// Scripts run line by line every frame, and a line's text never tells more
// the second time: which commands it may be, its jump targets and its
// argument texts follow from the text alone. So each line is decoded once
// (its arguments compiled, TCompiledExpression) and the decoded form is
// kept, one cache per interpreter kind, keyed by the line list's address.
// Every entry holds a copy of the text it was decoded from, and every run
// of a list compares the texts first: a line rewritten at run time (a boss
// turns its OPENING line into a GOTO) or a freed list whose address a new
// list takes is decoded again. What may change while the game runs
// (variable tables, the procedure table) is only remembered together with
// a number that changes with it.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "objects/script_line.h"
#include "objects/second_string_list2.h"
#include "objects/var_table.h"
#include "script/compiled_evaluator.h"
#include "script/procedure_table.h"

namespace vuzed {

// An expression argument: its text (for reports) and its program.
struct TLineArgument {
  std::string Text;
  TCompiledExpression Program;
};

struct TLineCondition {
  std::string Text;
  TCompiledCondition Program;
};

// A whole-number argument (a jump target, a sound number): its text and,
// when Valid, its value.
struct TLineNumber {
  std::string Text;
  int32_t Value = 0;
  bool Valid = false;
};

// A whole number written in decimal with an optional sign.
bool ParseWholeNumber(std::string_view text, int32_t& value);

TLineArgument MakeLineArgument(const TCompiledEvaluator& evaluator, std::string text);
// The arguments of a text split at every comma (none for an empty text).
std::vector<TLineArgument> MakeLineArguments(const TCompiledEvaluator& evaluator, std::string_view text);
TLineCondition MakeLineCondition(const TCompiledEvaluator& evaluator, std::string text);
TLineNumber MakeLineNumber(std::string text);

// The variable a line names, remembered for one table while no variable
// table anywhere changes (TVarTable::Generation).
class TVarLink {
 public:
  TSecondSingle* Find(const TVarTable* table, std::string_view name) const {
    const uint64_t generation = TVarTable::Generation();
    if (table != Table_ || generation != Generation_) {
      Var_ = table ? table->Find(name) : nullptr;
      Table_ = table;
      Generation_ = generation;
    }
    return Var_;
  }

 private:
  mutable const TVarTable* Table_ = nullptr;
  mutable uint64_t Generation_ = 0;
  mutable TSecondSingle* Var_ = nullptr;
};

// The procedure a line names, remembered for one table at one version
// (TProcedureTable::Version).
class TProcedureLink {
 public:
  const TSecondStringList2* Find(const TProcedureTable& table, std::string_view name) const {
    if (&table != Table_ || table.Version() != Version_) {
      Definition_ = table.Find(name);
      Table_ = &table;
      Version_ = table.Version();
    }
    return Definition_;
  }

 private:
  mutable const TProcedureTable* Table_ = nullptr;
  mutable uint64_t Version_ = 0;
  mutable const TSecondStringList2* Definition_ = nullptr;
};

// The decoded lines of one list, in list order, and the indices of its FOR
// lines (every run first sets their variables to the start values).
template <class TLine>
struct TDecodedLines {
  std::vector<std::string> Texts;  // the texts the lines were decoded from
  std::vector<TLine> Lines;
  std::vector<int32_t> ForLines;
};

// TLine provides `static TLine Decode(std::string_view text)` and
// `bool IsFor() const`.
template <class TLine>
class TLineListCache {
 public:
  using TList = TDecodedLines<TLine>;

  // The decoded form of the lines as they read now. A list decoded again
  // is a new object: a run that still holds the earlier one goes on with it.
  std::shared_ptr<const TList> Get(const TLineList& lines) {
    if (Lists_.size() >= kMaxLists && !Lists_.contains(&lines)) Lists_.clear();
    std::shared_ptr<const TList>& slot = Lists_[&lines];
    if (!slot || !SameTexts(*slot, lines)) slot = Decode(slot.get(), lines);
    return slot;
  }

  // Lists remembered; past this many the cache starts again empty.
  static constexpr std::size_t kMaxLists = 4096;

 private:
  static bool SameTexts(const TList& decoded, const TLineList& lines) {
    if (decoded.Texts.size() != lines.size()) return false;
    for (std::size_t i = 0; i < lines.size(); ++i)
      if (decoded.Texts[i] != lines[i].Text) return false;
    return true;
  }

  // Lines whose text is unchanged keep their decoded form.
  static std::shared_ptr<const TList> Decode(const TList* earlier, const TLineList& lines) {
    auto list = std::make_shared<TList>();
    list->Texts.reserve(lines.size());
    list->Lines.reserve(lines.size());
    for (std::size_t i = 0; i < lines.size(); ++i) {
      const std::string& text = lines[i].Text;
      list->Texts.push_back(text);
      if (earlier && i < earlier->Texts.size() && earlier->Texts[i] == text)
        list->Lines.push_back(earlier->Lines[i]);
      else
        list->Lines.push_back(TLine::Decode(text));
      if (list->Lines.back().IsFor()) list->ForLines.push_back(int32_t(i));
    }
    return list;
  }

  std::unordered_map<const TLineList*, std::shared_ptr<const TList>> Lists_;
};

}  // namespace vuzed
