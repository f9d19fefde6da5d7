#pragma once
// The main window's side of a pass as the terminal plays it: no messages to let through, the
// two status panels kept for the final status line, no busy indicator, no pages, and the
// message and question boxes on the terminal. Covered by tests/cli/BatchCliTest.cpp and
// tests/cli/BatchBackupCliTest.cpp.
//
// Message boxes are sorted as they come: a summary (a text that begins with one of the
// summary prefixes the command registered) is kept and printed after the report, the
// "nothing selected" box is a plain note, everything else is an error, printed on standard
// error at once and remembered for the exit status.
//
// When standard error is a terminal, a long pass keeps one progress line there (files done and
// listed, MB/s, the current file), redrawn in place and cleared before anything else is
// written and at the end; when it is not, nothing of it is written at all.
//
// A question is answered Yes by --yes; otherwise it is asked on the terminal when standard
// input is one, and answered No when it is not, so that a batch run never waits for a key.
//
// Ctrl+C plays the break button: once catchInterrupt() has been called, the first interrupt is
// only noted, and the next time the pass lets messages through (between two steps, or inside
// a long search through the engine's abort check) it runs the break handler, so the pass stops
// with every file whole and its status printed. A read that
// the interrupt cuts short ends as the end of the input does. A second Ctrl+C ends the program
// at once, as usual.

#include "search/MessagePump.h"
#include "search/PassDialogs.h"
#include "search/PassWindow.h"
#include "search/StatusPanels.h"

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace morvane::cli {

// Where a long pass stands, for the progress line.
struct BatchProgress {
    int done = 0; // files finished
    int total = 0; // files of the list
    std::int64_t bytes = 0; // bytes of the files finished
    std::int64_t elapsedMs = 0;
    std::filesystem::path current;
};

class BatchTerminal : public search::MessagePump,
                      public search::StatusPanels,
                      public search::PassWindow,
                      public search::PassDialogs {
public:
    // `commandName` prefixes the lines on standard error; `assumeYes` answers every question.
    BatchTerminal(std::string commandName, bool assumeYes);

    // Runs the break handler when an interrupt was noted since the last call.
    void processPendingMessages() override;
    void setPanelText(int panel, const std::string& text) override;
    void showBusy(bool) override { }
    void endInteractiveRun() override { }
    void showReportPage() override { }
    void showMessage(const std::string& text) override;
    bool confirm(const std::string& text) override;
    // "PATH: REASON" on standard error, counted as an error.
    void reportFileFailure(const std::filesystem::path& path, const std::string& reason) override;

    // A message box whose text begins with `prefix` (program text) is a summary line set.
    void addSummaryPrefix(std::string prefix);
    // An error found by the front end itself (program text), treated as an error box.
    void reportError(const std::string& text);
    // A line on standard error that is no error (program text).
    void reportNote(const std::string& text) const { printError(text); }

    // The text of status panel 0 or 1 as last set.
    const std::string& panelText(int panel) const { return m_panels.at(static_cast<size_t>(panel)); }
    // The summaries shown so far, in order.
    const std::vector<std::string>& summaries() const { return m_summaries; }
    int errorCount() const { return m_errors; }

    // Where questions are read from (standard input unless a test or a front end says else).
    void setInput(std::FILE* input) { m_input = input; }

    // Notes Ctrl+C from now on instead of ending the program (see above).
    static void catchInterrupt();
    // Whether Ctrl+C has been noted since catchInterrupt().
    static bool interrupted();
    // The source of the progress line. When standard error is a terminal, the line is drawn
    // each time the pass lets messages through and the source has something to say, and is
    // cleared before any other output; otherwise the source is never asked.
    void setProgressSource(std::function<std::optional<BatchProgress>()> source);
    // Removes the progress line if one is shown.
    void clearProgress() const;

    // What the break command does for the running command.
    void setBreakHandler(std::function<void()> handler) { m_breakHandler = std::move(handler); }

private:
    void printError(const std::string& text) const;
    void drawProgress();

    std::string m_commandName;
    bool m_assumeYes;
    std::FILE* m_input = stdin;
    std::array<std::string, 2> m_panels;
    std::vector<std::string> m_summaryPrefixes;
    std::vector<std::string> m_summaries;
    int m_errors = 0;
    std::function<std::optional<BatchProgress>()> m_progressSource;
    mutable bool m_progressShown = false;
    std::function<void()> m_breakHandler;
};

// The progress line: message 384 with the files done and listed, the rate in MB/s (one
// decimal) and the current file, shortened from the left to fit `columns` characters.
std::string ProgressLine(const BatchProgress& progress, int columns);

// Program text (Windows-1251) as terminal lines (UTF-8): the message boxes' line breaks
// (LF CR, CR LF, a lone CR) become LF, and the one blank a status text begins with is dropped.
std::string TerminalText(const std::string& programText);

// Reads one line from `input` without its line end; false at the end of input, on a read
// error, and when an interrupt is noted while it waits (half a line is then dropped).
bool ReadTerminalLine(std::FILE* input, std::string& line);

// Makes `input` unbuffered; call before anything reads it. ReadTerminalLine then never holds
// characters the next command's wait cannot see.
void UnbufferTerminalInput(std::FILE* input);

// The part of message `index` before its first placeholder: what every filled copy begins with.
std::string MessagePrefix(int index);

} // namespace morvane::cli
