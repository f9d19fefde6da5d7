// The interactive replace run in the terminal. Tests: tests/cli/BatchInteractiveCliTest.cpp.

#include "cli/BatchInteractive.h"

#include "codepage/CodePage.h"
#include "search/InteractiveRun.h"

#include <algorithm>

#include <unistd.h>

namespace morvane::cli {

namespace {

constexpr const char* kPrompt = "[y]es [n]o [f]ile rest [s]kip file [a]ll [e]dit [q]uit? ";
constexpr const char* kAnswers = "answer y, n, f, s, a, e or q";

std::string Trimmed(const std::string& text)
{
    const size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    const size_t last = text.find_last_not_of(" \t");
    return text.substr(first, last - first + 1);
}

} // namespace

BatchInteractive::BatchInteractive(search::PassControl& control, search::PassFileList& files,
    search::WorkTextEditor& editor, BatchViewer& viewer, search::OutputControl& output,
    rules::RuleCompiler& compiler, search::ReportModel& report, BatchTerminal& terminal)
    : m_control(control)
    , m_files(files)
    , m_editor(editor)
    , m_viewer(viewer)
    , m_output(output)
    , m_compiler(compiler)
    , m_report(report)
    , m_terminal(terminal)
{
}

bool BatchInteractive::isEnabled(search::ConfirmControl control) const
{
    return m_enabled.at(static_cast<size_t>(control));
}

void BatchInteractive::setEnabled(search::ConfirmControl control, bool enabled)
{
    m_enabled.at(static_cast<size_t>(control)) = enabled;
}

search::ReplaceCounters BatchInteractive::run(const search::PassSelection& selection,
    const search::PassOptions& options, search::MultipassRules rules,
    const std::function<bool()>& validateRules)
{
    search::InteractiveRun interactive(
        m_control, m_files, m_editor, m_viewer, m_output, m_compiler, m_report, *this);
    // Ctrl+C is Esc here: it ends a waiting run as well as a running step.
    m_terminal.setBreakHandler([&interactive] { interactive.miAbortClick(); });
    interactive.miFindClick(selection, options, std::move(rules), validateRules, true);
    while (interactive.waiting()) {
        showMatch();
        std::string answer;
        if (!ReadTerminalLine(m_input, answer)) {
            // Out of answers: stop where we are rather than guess.
            interactive.sbAbortClick();
            break;
        }
        echoAnswer(answer);
        answer = Trimmed(answer);
        if (answer == "y") {
            interactive.sbYesClick();
        } else if (answer == "n") {
            interactive.sbIgnoreClick();
        } else if (answer == "f") {
            interactive.sbYesToAllClick();
        } else if (answer == "s") {
            interactive.sbNoToAllClick();
        } else if (answer == "a") {
            interactive.sbAllClick();
        } else if (answer == "q") {
            interactive.sbAbortClick();
        } else if (answer == "e") {
            std::fputs("replacement: ", stderr);
            std::fflush(stderr);
            std::string edited;
            if (!ReadTerminalLine(m_input, edited)) {
                interactive.sbAbortClick();
                break;
            }
            echoAnswer(edited);
            const std::string text = codepage::Utf8ToWin1251(edited);
            if (codepage::Win1251ToUtf8(text) != edited) {
                std::fputs("the replacement has characters that Windows-1251 lacks\n", stderr);
                continue;
            }
            setPreviewText(text);
            interactive.sbYesClick();
        } else {
            std::fprintf(stderr, "%s\n", kAnswers);
        }
    }
    m_terminal.setBreakHandler([this] { m_control.tbBreakClick(); });
    return interactive.counters();
}

void BatchInteractive::echoAnswer(const std::string& answer) const
{
    // A terminal echoes what was typed; a script's answers are shown so the transcript reads
    // as the dialogue it was.
    if (!::isatty(::fileno(m_input)))
        std::fprintf(stderr, "%s\n", answer.c_str());
}

void BatchInteractive::showMatch() const
{
    int lineNumber = 0;
    const std::string line
        = MarkedMatchLine(m_viewer.text(), m_viewer.selStart(), m_viewer.selLength(), lineNumber);
    std::fprintf(stderr, "%s\n%d: %s\nreplacement: %s\n%s", m_editor.CurrentFilePath().c_str(), lineNumber,
        codepage::Win1251ToUtf8(line).c_str(), codepage::Win1251ToUtf8(m_preview).c_str(), kPrompt);
    std::fflush(stderr);
}

std::string MarkedMatchLine(const std::string& text, int start, int length, int& lineNumber)
{
    const size_t size = text.size();
    const size_t from = std::min(static_cast<size_t>(std::max(start, 0)), size);
    const size_t to = std::min(from + static_cast<size_t>(std::max(length, 0)), size);
    size_t begin = 0;
    if (from > 0) {
        const size_t lineEnd = text.rfind('\n', from - 1);
        if (lineEnd != std::string::npos)
            begin = lineEnd + 1;
    }
    // A match that ends with a line end shows only the lines it touches.
    size_t end = to;
    if (to == from || text[to - 1] != '\n') {
        end = text.find('\n', to);
        if (end == std::string::npos)
            end = size;
    }
    lineNumber
        = 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<long>(begin), '\n'));
    std::string marked = text.substr(begin, from - begin) + "[[" + text.substr(from, to - from) + "]]"
        + text.substr(to, end - to);
    marked.erase(std::remove(marked.begin(), marked.end(), '\r'), marked.end());
    return marked;
}

} // namespace morvane::cli
