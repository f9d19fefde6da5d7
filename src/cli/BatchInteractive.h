#pragma once
// The interactive replace run in the terminal (replace -i). The core's run stops at each match
// with its confirmation controls enabled; this front end plays those controls and the preview
// memo: it shows the file, the line of the match with the match marked and the proposed
// replacement on standard error, reads one answer per line from its input, and presses the
// control the answer names. Covered by tests/cli/BatchInteractiveCliTest.cpp.
//
// Answers: y replace this match, n skip it, f replace the rest of the file, s skip the rest of
// the file, a replace everything left, e replace with an edited text read from the next line,
// q stop. The end of the input stops as q does, so a script that runs out of answers never
// leaves a half-answered file written. The answers that reach other files are the run's own
// commands and are given also with a single file in the list, where they mean the same as
// finishing that file.

#include "cli/BatchTerminal.h"
#include "cli/BatchViewer.h"

#include "rules/RuleCompiler.h"
#include "search/ConfirmControls.h"
#include "search/MultipassRules.h"
#include "search/OutputControl.h"
#include "search/PassControl.h"
#include "search/PassFileList.h"
#include "search/PassOptions.h"
#include "search/PassSelection.h"
#include "search/ReplaceCounters.h"
#include "search/ReportModel.h"
#include "search/WorkTextEditor.h"

#include <array>
#include <cstdio>
#include <functional>
#include <string>

namespace morvane::cli {

class BatchInteractive : public search::ConfirmControls {
public:
    // Every collaborator must outlive this object.
    BatchInteractive(search::PassControl& control, search::PassFileList& files,
        search::WorkTextEditor& editor, BatchViewer& viewer, search::OutputControl& output,
        rules::RuleCompiler& compiler, search::ReportModel& report, BatchTerminal& terminal);

    // Starts the run and answers it until it ends; returns the run's counters.
    search::ReplaceCounters run(const search::PassSelection& selection, const search::PassOptions& options,
        search::MultipassRules rules, const std::function<bool()>& validateRules);

    // Where the answers are read from (standard input by default).
    void setInput(std::FILE* input) { m_input = input; }

    // ---- ConfirmControls ----
    bool isEnabled(search::ConfirmControl control) const override;
    void setEnabled(search::ConfirmControl control, bool enabled) override;
    std::string previewText() const override { return m_preview; }
    void setPreviewText(const std::string& text) override { m_preview = text; }
    void showWorkPage() override { }
    void showEditingPage() override { }
    void UpdatePassCommands() override { }
    void reloadPanelIfChanged() override { }

private:
    // The file, the marked line and the proposed replacement, then the prompt.
    void showMatch() const;
    // Shows an answer read from a non-terminal input after its prompt.
    void echoAnswer(const std::string& answer) const;

    search::PassControl& m_control;
    search::PassFileList& m_files;
    search::WorkTextEditor& m_editor;
    BatchViewer& m_viewer;
    search::OutputControl& m_output;
    rules::RuleCompiler& m_compiler;
    search::ReportModel& m_report;
    BatchTerminal& m_terminal;
    std::FILE* m_input = stdin;
    std::array<bool, search::kConfirmControlCount> m_enabled {};
    std::string m_preview;
};

// The line (or lines) of `text` holding the `length` characters at 0-based `start`, without
// their line ends, with the selection set between "[[" and "]]"; `lineNumber` gets the 1-based
// number of its first line. Program text in, program text out.
std::string MarkedMatchLine(const std::string& text, int start, int length, int& lineNumber);

} // namespace morvane::cli
