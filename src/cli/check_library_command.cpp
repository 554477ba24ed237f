// tavimoro-cli check-library: runs each case of a regression library with
// the technique its code names and tallies, per code, what was found.
#include <array>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <string>
#include <vector>

#include "cli/args.h"
#include "cli/command.h"
#include "cli/library_line.h"
#include "cli/puzzle_input.h"
#include "engine/extended_solve.h"
#include "engine/technique_registry.h"
#include "engine/validate.h"

namespace tavimoro::cli {
namespace {

// Where a case's outcome is counted. A fail case that finds nothing counts
// as Same, one that finds anything as Wrong.
enum Outcome { kSame, kAnother, kNotFound, kWrong, kNotBuilt, kOutcomeCount };

// The rows with a finder whose library codes hold the code ("0710" or, for
// one variant only, "0710-3"), in id order: a ladder rung first, then the
// general form beyond the ladder that is tried where the rung finds nothing.
std::vector<const TechniqueRow*> RowsOfCode(const std::string& code) {
  std::vector<const TechniqueRow*> rows;
  for (const TechniqueRow& row : TechniqueRows()) {
    std::string_view codes = row.libraryCodes;
    while (!codes.empty()) {
      const auto blank = codes.find(' ');
      if (codes.substr(0, blank) == code) {
        if (row.find != nullptr) rows.push_back(&row);
        break;
      }
      if (blank == std::string_view::npos) break;
      codes.remove_prefix(blank + 1);
    }
  }
  return rows;
}

// Rows that name the case's variant win over those that name its code.
std::vector<const TechniqueRow*> RowsOfCase(const LibraryCase& libraryCase) {
  if (!libraryCase.variant.empty()) {
    auto rows = RowsOfCode(libraryCase.code + "-" + libraryCase.variant);
    if (!rows.empty()) return rows;
  }
  return RowsOfCode(libraryCase.code);
}

// Whether the step does what the case asks: every elimination (a placement
// in the cell removes its other digits too) and every placement.
bool DoesTheCase(const StepRecord& step, const LibraryCase& libraryCase) {
  const bool places = step.Kind == kPlaceValue;
  for (const CellDigit& e : libraryCase.eliminations) {
    const bool placedOther = places && step.Cell == e.cell && step.Value != e.digit;
    if (!step.Eliminate(e.cell, e.digit) && !placedOther) return false;
  }
  for (const CellDigit& p : libraryCase.placements) {
    if (!places || step.Cell != p.cell || step.Value != p.digit) return false;
  }
  return true;
}

// Whether the step keeps the position's one solution; false when it has
// none or several, since nothing can be judged then.
bool IsSound(const StepRecord& step, const PuzzleState& state) {
  PuzzleState solution;
  solution.Grid = state.Grid;
  CalcCandidates(solution);
  if (!Validate(solution, false, false, false).empty()) return false;
  if (step.Kind == kPlaceValue) return solution.Grid[step.Cell] == step.Value;
  for (int c = 0; c < 81; ++c) {
    if (step.Eliminate(c, solution.Grid[c])) return false;
  }
  return true;
}

Outcome Check(const LibraryCase& libraryCase, const std::vector<const TechniqueRow*>& rows) {
  if (rows.empty()) return kNotBuilt;
  const PuzzleState state = PositionFromLine(libraryCase.position);
  StepRecord step;
  bool found = false;
  // A library holds fish of up to seven sets; the solve stops at cheaper sizes.
  SearchOptions options;
  options.largestCrossFish = 7;
  for (std::size_t i = 0; i < rows.size() && !found; ++i)
    found = FindWithTechnique(state, rows[i]->id, step, options);
  if (libraryCase.failCase) return found ? kWrong : kSame;
  if (!found) return kNotFound;
  if (!IsSound(step, state)) return kWrong;
  return DoesTheCase(step, libraryCase) ? kSame : kAnother;
}

struct Tally {
  std::string technique;  // "not built" when the code names no technique yet
  std::array<int, kOutcomeCount> count{};
  int failCases = 0, failQuiet = 0;
};

// One line of the table: the code, its cases, then four columns of counts
// (or dashes) and the technique.
std::string TableLine(const std::string& code, const std::string& cases,
                      const std::array<std::string, 4>& counts, const std::string& technique) {
  char line[200];
  std::snprintf(line, sizeof line, "%-8s %5s %5s %7s %9s %5s  %s\n", code.c_str(), cases.c_str(),
                counts[0].c_str(), counts[1].c_str(), counts[2].c_str(), counts[3].c_str(),
                technique.c_str());
  return line;
}

void PrintTable(const std::map<std::string, Tally>& tallies) {
  std::cout << TableLine("code", "cases", {"same", "another", "not found", "wrong"}, "technique");
  std::array<int, kOutcomeCount> total{};
  int cases = 0, failCases = 0, failQuiet = 0;
  for (const auto& [code, tally] : tallies) {
    int n = 0;
    for (int o = 0; o < kOutcomeCount; ++o) {
      n += tally.count[o];
      total[o] += tally.count[o];
    }
    cases += n;
    failCases += tally.failCases;
    failQuiet += tally.failQuiet;
    std::array<std::string, 4> counts{"-", "-", "-", "-"};
    if (tally.count[kNotBuilt] == 0) {
      for (int o = 0; o < 4; ++o) counts[o] = std::to_string(tally.count[o]);
    }
    std::cout << TableLine(code, std::to_string(n), counts, tally.technique);
  }
  std::cout << cases << " cases: " << total[kSame] << " found the same, " << total[kAnother]
            << " another sound instance, " << total[kNotFound] << " not found, " << total[kWrong]
            << " wrong, " << total[kNotBuilt] << " not built; fail cases: " << failQuiet << " of "
            << failCases << " quiet\n";
}

int RunCheckLibrary(std::vector<std::string> arguments) {
  Args args(std::move(arguments));
  std::string error;
  const auto files = args.Rest(error);
  if (!error.empty()) return UsageError(error);
  if (files.size() != 1) return UsageError("check-library takes one library file");
  std::ifstream in(files[0], std::ios::binary);
  if (!in) {
    std::cerr << "tavimoro-cli: cannot read " << files[0] << "\n";
    return kExitFileError;
  }
  std::map<std::string, Tally> tallies;
  bool refused = false;
  std::size_t number = 0;
  for (std::string line; std::getline(in, line);) {
    ++number;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line.front() == '#') continue;
    const auto libraryCase = ReadLibraryLine(line);
    if (!libraryCase) {
      std::cerr << "tavimoro-cli: " << files[0] << ":" << number << ": not a library case\n";
      refused = true;
      continue;
    }
    const std::string code =
        libraryCase->variant.empty() ? libraryCase->code : libraryCase->code + "-" + libraryCase->variant;
    const auto rows = RowsOfCase(*libraryCase);
    Tally& tally = tallies[code];
    tally.technique = rows.empty() ? "not built" : std::string(rows.front()->name);
    for (std::size_t i = 1; i < rows.size(); ++i) tally.technique += ", then " + std::string(rows[i]->name);
    const Outcome outcome = Check(*libraryCase, rows);
    ++tally.count[outcome];
    if (libraryCase->failCase && !rows.empty()) {
      ++tally.failCases;
      if (outcome == kSame) ++tally.failQuiet;
    }
  }
  if (in.bad()) {
    std::cerr << "tavimoro-cli: cannot read " << files[0] << "\n";
    return kExitFileError;
  }
  PrintTable(tallies);
  return refused ? kExitRefusedLines : kExitOk;
}

const Registration kCheckLibrary(
    {"check-library", "FILE",
     "Runs each case of a regression library (lines \":CODE:CANDIDATES:GIVENS:DELETED:\n"
     "ELIMINATIONS:PLACEMENTS:EXTRA\") with the technique its code names (where a\n"
     "ladder rung and a general form share a code, the general form where the\n"
     "rung finds nothing) and prints, per code: its cases, how many found the\n"
     "same eliminations or placements, another sound instance, nothing, or\n"
     "something wrong (unsound; for a fail case \"-x\", anything), and the\n"
     "technique (\"not built\" when none has the code). Then one summary line.",
     RunCheckLibrary});

}  // namespace
}  // namespace tavimoro::cli
