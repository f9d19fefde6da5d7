// Replace everywhere over one file's text. Tests: tests/search/ReplaceStreamedTest.cpp.

#include "search/ReplaceStreamed.h"

#include "rules/ReplacementByMode.h"
#include "search/OutputName.h"
#include "search/OutputTextFile.h"
#include "search/ReplaceStatus.h"
#include "template/EvaluateTemplate.h"

#include <cassert>

namespace morvane::search {

ReplaceStreamed::ReplaceStreamed(PassControl& control, rules::RuleCompiler& compiler, MultipassRules& rules,
    ReplaceCounters& counters, const OutputTarget& target, int fileCount)
    : m_control(control)
    , m_compiler(compiler)
    , m_rules(rules)
    , m_counters(counters)
    , m_target(target)
    , m_fileCount(fileCount)
{
}

ReplaceFileResult ReplaceStreamed::ReplaceEverywhereStreamed(
    std::string& workText, const std::filesystem::path& currentFile, NewTextSink* sink)
{
    regex::TRegex& engine = m_compiler.engine();
    // The engine may hold a view of `workText` or of m_newText, both of which change or go
    // away after this call: whatever way it ends, the engine lets go of them.
    struct ReturnSubject {
        regex::TRegex& engine;
        ~ReturnSubject() { engine.SetInputString({}); }
    } returnSubject { engine };

    ReplaceFileResult result;
    if (m_control.AbortRequested())
        return result;
    result.ran = true;
    m_currentFile = currentFile;
    m_workText = &workText;
    m_newText.clear();
    m_sink = m_target.mode == OutputMode::InPlace ? sink : nullptr;
    m_streaming = false;
    m_copiedUpTo = 0;
    startStreaming();
    // Room to grow by a quarter: pages that are never written take no memory, while growing
    // a full buffer would hold the old and the new one at once.
    if (!m_streaming)
        m_newText.reserve(workText.size() + workText.size() / 4);
    bool ok = replaceMatch(result);
    while (ok && !m_control.AbortRequested()) {
        if (!engine.ExecNext() && !streamedNextRule())
            break;
        ++m_counters.MatchesInFile;
        ++m_counters.MatchesTotal;
        ok = replaceMatch(result);
    }
    if (!ok)
        return result;

    switch (m_target.mode) {
    case OutputMode::InPlace:
        // The rest is a copy: with a sink it need not be held twice either.
        if (m_streaming || openSink()) {
            // The rest in pieces too; the last piece is written even when empty, so that the
            // sink always sees the end.
            while (m_workText->size() - m_copiedUpTo > kPieceSize) {
                m_newText.append(*m_workText, m_copiedUpTo, kPieceSize);
                m_copiedUpTo += kPieceSize;
                flushPiece(true);
            }
            m_newText.append(*m_workText, m_copiedUpTo);
            m_sink->write(m_newText);
            m_newText = std::string();
            result.streamed = true;
        } else {
            m_newText.append(*m_workText, m_copiedUpTo);
            result.newText = std::move(m_newText);
            m_newText = std::string();
        }
        ++m_counters.FilesChanged;
        break;
    case OutputMode::OneFile:
        m_counters.FilesChanged = 1;
        break;
    case OutputMode::FileSplit:
        break;
    }
    return result;
}

bool ReplaceStreamed::replaceMatch(ReplaceFileResult& result)
{
    if (m_control.AbortRequested())
        return true;
    regex::TRegex& engine = m_compiler.engine();
    const templ::RunCounters runCounters = m_counters.runCounters();
    const std::string replacement = rules::ReplacementByMode(
        m_compiler.replaceMode(), m_rules.replaceText(), engine, [&](std::string_view templateText) {
            return templ::EvaluateTemplate(templateText, engine, runCounters, m_currentFile);
        });

    switch (m_target.mode) {
    case OutputMode::FileSplit: {
        assert(m_target.splitSettings);
        const std::filesystem::path name = OutputName(*m_target.splitSettings, m_currentFile, runCounters);
        if (auto error = WriteOutputTextFile(replacement, name, m_target.splitCodePage)) {
            result.error = std::move(error);
            return false;
        }
        result.outputFiles.push_back(name);
        break;
    }
    case OutputMode::OneFile:
        assert(m_target.collectingFile);
        if (auto error = m_target.collectingFile->append(replacement)) {
            result.error = std::move(error);
            return false;
        }
        break;
    case OutputMode::InPlace: {
        const size_t start = static_cast<size_t>(engine.GroupStart(0) - 1);
        assert(start >= m_copiedUpTo && start <= m_workText->size());
        m_newText.append(*m_workText, m_copiedUpTo, start - m_copiedUpTo);
        m_newText += replacement;
        m_copiedUpTo = start + static_cast<size_t>(engine.GroupLength(0));
        flushPiece(false);
        break;
    }
    }
    ++m_counters.ReplacementsInFile;
    ++m_counters.ReplacementsTotal;
    ShowRunStatus(m_control, m_counters, m_target.mode, m_fileCount);
    return true;
}

bool ReplaceStreamed::streamedNextRule()
{
    if (!m_rules.hasNextRow())
        return false;
    if (m_target.mode == OutputMode::InPlace) {
        // The next rule works on what the earlier rules produced.
        m_newText.append(*m_workText, m_copiedUpTo);
        m_workText->swap(m_newText);
        m_newText.clear();
        m_copiedUpTo = 0;
    }
    // Borrowed, not copied: the text stays unchanged until this rule is done with it.
    m_compiler.engine().SetInputView(*m_workText);
    if (!m_rules.nextRule(m_compiler))
        return false;
    startStreaming();
    return true;
}

bool ReplaceStreamed::openSink()
{
    if (!m_sink)
        return false;
    if (!m_sink->open()) {
        m_sink = nullptr; // refused once, refused again: the text stays whole
        return false;
    }
    m_streaming = true;
    return true;
}

void ReplaceStreamed::startStreaming()
{
    // A rule with rules after it must hand its whole text on to them.
    if (m_streaming || m_rules.hasNextRow() || !openSink())
        return;
    m_newText.clear();
    m_newText.shrink_to_fit();
    m_newText.reserve(kPieceSize + kPieceSize / 4);
}

void ReplaceStreamed::flushPiece(bool all)
{
    if (!m_streaming || (!all && m_newText.size() < kPieceSize))
        return;
    m_sink->write(m_newText);
    m_newText.clear();
}

} // namespace morvane::search
