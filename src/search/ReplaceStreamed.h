#pragma once
// Replace everywhere over one plain-text file's text: every match, rule after rule in
// multipass mode, gets its replacement by the rule's replace mode, and the replacement goes
// into the new text (in place), to the collecting file, or into a file of its own.
// Covered by tests/search/ReplaceStreamedTest.cpp.
//
// In place the new text is built in one forward pass: the text before each match is copied in
// one piece, then the replacement. Before the next rule of a multipass run the current rule's
// result is completed and becomes the text the next rule searches, so each rule sees what the
// earlier rules produced; in the output modes every rule searches the unchanged source. The
// new text is kept in memory and handed to the caller, which writes it beside the source and
// renames it over the source only once it is complete; or, once the last rule runs and the
// caller gives a sink, it goes to the sink piece by piece (the caller's temporary file).
//
// Memory: the engine borrows the text it searches (TRegex::SetInputView) and the replacing
// works in the caller's buffer, so a file costs its text plus its new text and no more. The
// engine's subject is given back (set empty) whenever the replacing ends, also by an error.
//
// An abort stops the matching, never the copy: the new text holds the replacements made so
// far and the rest of the file unchanged. A failed output write stops the file at once and is
// returned; the command then ends with its message. Engine errors (ERegex) pass through.

#include "app/FileError.h"
#include "rules/RuleCompiler.h"
#include "search/MultipassRules.h"
#include "search/OutputTarget.h"
#include "search/PassControl.h"
#include "search/ReplaceCounters.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace morvane::search {

// Where an in-place run may write a file's new text piece by piece instead of holding it
// whole, so that a large file costs its own text and one piece, not twice its size.
class NewTextSink {
public:
    virtual ~NewTextSink() = default;
    // Before the first piece. False: nothing can be streamed for this file, and the new text
    // is then kept whole (its writing reports why).
    virtual bool open() = 0;
    // The next piece of the new text; it may be changed. A failure is kept by the sink.
    virtual void write(std::string& piece) = 0;
};

// What replacing in one file produced.
struct ReplaceFileResult {
    // False when an abort came before anything was done: nothing is to be written.
    bool ran = false;
    // In place: the file's complete new content (Windows-1251), to be written in place of it;
    // empty when it went to the sink instead (`streamed`).
    std::string newText;
    bool streamed = false;
    // File split: the files written for this source, in order.
    std::vector<std::filesystem::path> outputFiles;
    // An output file could not be written; the command ends with this message.
    std::optional<app::FileError> error;
};

class ReplaceStreamed {
public:
    // `fileCount` is the number of entries of the pass file list, for the status text.
    ReplaceStreamed(PassControl& control, rules::RuleCompiler& compiler, MultipassRules& rules,
        ReplaceCounters& counters, const OutputTarget& target, int fileCount);

    // Replaces in `workText`, the text of `currentFile`. On entry the engine's subject is
    // `workText` (borrowed or copied), the current rule of `rules` has just found its first
    // match in it, and that match is already counted in MatchesInFile and MatchesTotal. Counts
    // every further match, every replacement, and the file as changed (in place; one-file
    // output sets FilesChanged to 1); shows the run status after every replacement.
    // `workText` is the working space of a multipass run: on return it holds the text of one
    // of the rules (the source itself when there was only one) and the engine has no subject.
    // In place, with a `sink`, the last rule's new text goes to it in pieces as it is made.
    ReplaceFileResult ReplaceEverywhereStreamed(
        std::string& workText, const std::filesystem::path& currentFile, NewTextSink* sink = nullptr);

    // The size of the pieces a sink gets.
    static constexpr size_t kPieceSize = size_t { 1 } << 20;

private:
    bool replaceMatch(ReplaceFileResult& result);
    bool streamedNextRule();
    // Opens the sink, if there is one that takes the text: from then on the text goes to it.
    bool openSink();
    // Starts writing to the sink when the current rule is the last one of the file.
    void startStreaming();
    // Hands the new text made so far to the sink once a piece is full (or at once: `all`).
    void flushPiece(bool all);

    PassControl& m_control;
    rules::RuleCompiler& m_compiler;
    MultipassRules& m_rules;
    ReplaceCounters& m_counters;
    OutputTarget m_target;
    int m_fileCount;

    // State of the file being replaced.
    std::filesystem::path m_currentFile;
    std::string* m_workText = nullptr; // the text the current rule searches (the caller's)
    std::string m_newText; // in place: what has been written for the current rule so far
    size_t m_copiedUpTo = 0; // 0-based: the first character of m_workText not yet copied
    NewTextSink* m_sink = nullptr;
    bool m_streaming = false; // m_newText is the part of the new text not yet in the sink
};

} // namespace morvane::search
