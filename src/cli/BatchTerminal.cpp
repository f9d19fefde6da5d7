// The terminal side of a batch pass. Tests: tests/cli/BatchCliTest.cpp,
// tests/cli/BatchBackupCliTest.cpp.

#include "cli/BatchTerminal.h"

#include "app/MessageTable.h"
#include "codepage/CodePage.h"

#include "app/Format.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace morvane::cli {

namespace {

// Message 60, "nothing selected": the command had no file to work on, which is not a failure.
constexpr int kMsgNothingSelected = 60;
constexpr int kMsgProgress = 384;

// How often a wait for input looks at the interrupt flag.
constexpr int kInterruptPollMs = 100;

volatile std::sig_atomic_t g_interrupted = 0;
// Set with the first and never cleared: the exit status tells the caller of it.
volatile std::sig_atomic_t g_interruptSeen = 0;

extern "C" void NoteInterrupt(int)
{
    g_interrupted = 1;
    g_interruptSeen = 1;
}

bool IsYes(const std::string& answer)
{
    return answer == "y" || answer == "Y" || answer == "yes" || answer == "Yes" || answer == "YES";
}

} // namespace

BatchTerminal::BatchTerminal(std::string commandName, bool assumeYes)
    : m_commandName(std::move(commandName))
    , m_assumeYes(assumeYes)
{
}

void BatchTerminal::catchInterrupt()
{
    struct sigaction action { };
    action.sa_handler = NoteInterrupt;
    sigemptyset(&action.sa_mask);
    // No SA_RESTART: a blocking read returns, so a waiting prompt sees the interrupt at once.
    action.sa_flags = SA_RESETHAND;
    ::sigaction(SIGINT, &action, nullptr);
}

bool BatchTerminal::interrupted()
{
    return g_interruptSeen != 0;
}

void BatchTerminal::processPendingMessages()
{
    drawProgress();
    if (!g_interrupted)
        return;
    g_interrupted = 0;
    if (m_breakHandler)
        m_breakHandler();
}

void BatchTerminal::setProgressSource(std::function<std::optional<BatchProgress>()> source)
{
    if (::isatty(STDERR_FILENO))
        m_progressSource = std::move(source);
}

void BatchTerminal::drawProgress()
{
    if (!m_progressSource)
        return;
    const std::optional<BatchProgress> progress = m_progressSource();
    if (!progress)
        return;
    winsize size { };
    const int columns = ::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) == 0 && size.ws_col > 0 ? size.ws_col : 80;
    // Carriage return, the line, and "erase to the end of the line" for a shorter one.
    std::fprintf(stderr, "\r%s\x1b[K", ProgressLine(*progress, columns).c_str());
    std::fflush(stderr);
    m_progressShown = true;
}

void BatchTerminal::clearProgress() const
{
    if (!m_progressShown)
        return;
    std::fputs("\r\x1b[K", stderr);
    std::fflush(stderr);
    m_progressShown = false;
}

void BatchTerminal::setPanelText(int panel, const std::string& text)
{
    if (panel == 0 || panel == 1)
        m_panels[static_cast<size_t>(panel)] = text;
}

void BatchTerminal::showMessage(const std::string& text)
{
    for (const std::string& prefix : m_summaryPrefixes) {
        if (text.compare(0, prefix.size(), prefix) == 0) {
            m_summaries.push_back(text);
            return;
        }
    }
    if (text == app::Msg(kMsgNothingSelected)) {
        std::fprintf(stderr, "morvane-cli %s: %s\n", m_commandName.c_str(), TerminalText(text).c_str());
        return;
    }
    reportError(text);
}

bool BatchTerminal::confirm(const std::string& text)
{
    if (m_assumeYes)
        return true;
    const std::string question = TerminalText(text);
    if (!::isatty(::fileno(m_input))) {
        std::fprintf(stderr, "morvane-cli %s: %s\nNo: standard input is not a terminal (--yes answers Yes)\n",
            m_commandName.c_str(), question.c_str());
        return false;
    }
    clearProgress();
    std::fprintf(stderr, "%s [y/n] ", question.c_str());
    std::fflush(stderr);
    std::string answer;
    return ReadTerminalLine(m_input, answer) && IsYes(answer);
}

void BatchTerminal::reportFileFailure(const std::filesystem::path& path, const std::string& reason)
{
    ++m_errors;
    clearProgress();
    std::fprintf(stderr, "morvane-cli %s: %s: %s\n", m_commandName.c_str(), path.c_str(), TerminalText(reason).c_str());
}

void BatchTerminal::addSummaryPrefix(std::string prefix)
{
    m_summaryPrefixes.push_back(std::move(prefix));
}

void BatchTerminal::reportError(const std::string& text)
{
    ++m_errors;
    printError(text);
}

void BatchTerminal::printError(const std::string& text) const
{
    clearProgress();
    std::fprintf(stderr, "morvane-cli %s: %s\n", m_commandName.c_str(), TerminalText(text).c_str());
}

std::string ProgressLine(const BatchProgress& progress, int columns)
{
    const double seconds = static_cast<double>(std::max<std::int64_t>(progress.elapsedMs, 1)) / 1000.0;
    char rate[32];
    std::snprintf(rate, sizeof rate, "%.1f", static_cast<double>(progress.bytes) / 1e6 / seconds);
    const std::string head = TerminalText(app::FillMessage(app::Msg(kMsgProgress), { progress.done, progress.total, std::string(rate), std::string() }));
    // Characters, not bytes: a UTF-8 sequence is one column here.
    const auto width = [](const std::string& text) {
        return static_cast<int>(std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
    };
    std::string name = progress.current.native();
    const int room = columns - 1 - width(head);
    if (room <= 1)
        return head;
    if (width(name) > room) {
        size_t cut = name.size();
        for (int kept = 0; cut > 0 && kept < room - 1;) {
            --cut;
            if ((static_cast<unsigned char>(name[cut]) & 0xC0) != 0x80)
                ++kept;
        }
        name = "\u2026" + name.substr(cut);
    }
    return head + name;
}

std::string TerminalText(const std::string& programText)
{
    std::string text = programText;
    if (!text.empty() && text[0] == ' ')
        text.erase(0, 1);
    std::string lines;
    for (size_t i = 0; i < text.size(); ++i) {
        const char ch = text[i];
        if (ch == '\n' || ch == '\r') {
            lines += '\n';
            // A two-character line break, in either order, is one break.
            if (i + 1 < text.size() && (text[i + 1] == '\n' || text[i + 1] == '\r') && text[i + 1] != ch)
                ++i;
        } else {
            lines += ch;
        }
    }
    return codepage::Win1251ToUtf8(lines);
}

namespace {

// Waits until `input` can be read (data, its end, or an error the read will report), or an
// interrupt is noted; false for the interrupt. Polling closes the gap between a test of the
// interrupt flag and a read that would block past it.
bool WaitForInput(std::FILE* input)
{
    pollfd descriptor { ::fileno(input), POLLIN, 0 };
    while (!g_interrupted) {
        const int ready = ::poll(&descriptor, 1, kInterruptPollMs);
        if (ready > 0 || (ready < 0 && errno != EINTR))
            return true;
    }
    g_interrupted = 0;
    return false;
}

} // namespace

bool ReadTerminalLine(std::FILE* input, std::string& line)
{
    line.clear();
    int ch = 0;
    bool any = false;
    bool interrupted = false;
    // The input is unbuffered (see UnbufferTerminalInput), so every character is a read of its
    // own and the wait before it is never fooled by characters already buffered.
    for (;;) {
        if (!WaitForInput(input)) {
            interrupted = true;
            break;
        }
        ch = std::fgetc(input);
        if (ch == EOF)
            break;
        any = true;
        if (ch == '\n')
            break;
        line += static_cast<char>(ch);
    }
    if (interrupted || (ch == EOF && std::ferror(input))) {
        // Half a line is no answer.
        std::clearerr(input);
        return false;
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

void UnbufferTerminalInput(std::FILE* input)
{
    std::setvbuf(input, nullptr, _IONBF, 0);
}

std::string MessagePrefix(int index)
{
    const std::string text = app::Msg(index);
    return text.substr(0, text.find('%'));
}

} // namespace morvane::cli
