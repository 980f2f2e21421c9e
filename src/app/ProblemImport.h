#pragma once

#include <string>

#include "store/StoreMessage.h"

namespace stonewise {

class GameStore;
class RecordSequence;
struct GameInfo;
struct LoadSettings;

// How the ends of a problem's lines were marked.
struct AnswerLineCount {
    int correct = 0;
    int failure = 0;
    int untagged = 0;
};

// Marks the end of every line of a problem read from a file with its answer tag, from the comment
// of its last move: "Correct…", "Also correct…", "正解…" make a correct line; "Wrong…", "Incorrect…",
// "Failure…", "失敗…", "不正解…" a failure. When the file marks at least one line correct, the lines
// it leaves unmarked are failures too (collections mark only their correct answers); otherwise
// they stay untagged. Tags the file already carries are kept.
AnswerLineCount tagAnswerLines(RecordSequence& main);

// Makes a game read from a file a problem: its lines tagged as above, and a record without a
// category taken as life and death.
void makeProblem(RecordSequence& main, GameInfo& info);

// What an import of problem files gave.
struct ProblemImportResult {
    int imported = 0; // problems stored
    int failed = 0;   // games that could not be read or stored
};

// Stores every game of an SGF problem file or collection as a problem of `group` (made as above;
// the root comment stays the question, the first move's colour the answering side). A game without
// a name takes the file's name with its position in the file. The import of the window stores the
// games of the files it brings into a problem group the same way.
ProblemImportResult importProblemFile(GameStore& store, int group, const std::string& path,
                                      const LoadSettings& settings, StoreMessages& messages);

} // namespace stonewise
