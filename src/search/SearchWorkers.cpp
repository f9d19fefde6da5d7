// The found and not-found passes' per-file work on worker threads. Tests:
// tests/cli/ParallelSearchCliTest.cpp, tests/search/SearchPassTest.cpp.

#include "search/SearchWorkers.h"

#include "search/EngineAbortScope.h"
#include "search/PassTextReader.h"

#include <cassert>
#include <chrono>
#include <cstdint>

namespace morvane::search {

namespace fs = std::filesystem;

namespace {

// Files a worker may run ahead of the pass thread, per job: enough that a slow file does not
// idle the others, and that the pass thread, woken once half the window is ready, is woken
// seldom (each wake is a system call and a switch on both sides). An abort still wastes
// little: the workers stop in the middle of a file.
constexpr std::size_t kWindowPerJob = 64;
// Paths handed to the workers at a time while the list is walked. One at a time, a worker that
// keeps up with the walk would sleep and be woken for every file, which costs more than a
// small file's search.
constexpr std::size_t kHandOver = 16;
// How often a waiting pass thread lets messages through (an abort is seen within this).
constexpr auto kWaitSlice = std::chrono::milliseconds(10);

constexpr rules::GlobalModifier kGlobalModifiers[]
    = { rules::GlobalModifier::I, rules::GlobalModifier::M, rules::GlobalModifier::S, rules::GlobalModifier::X,
          rules::GlobalModifier::G };

} // namespace

struct SearchWorkers::Worker {
    explicit Worker(const rules::RuleCompiler& model)
        : compiler(engine)
    {
        const regex::TRegex& source = model.engine();
        engine.SetSpaceChars(source.SpaceChars());
        engine.SetWordChars(source.WordChars());
        engine.SetLineSeparatorChars(source.LineSeparatorChars());
        engine.SetLinePairedSeparator(source.LinePairedSeparator());
        for (const rules::GlobalModifier modifier : kGlobalModifiers)
            compiler.CheckBoxModifierClick(modifier, model.modifierChecked(modifier));
        engine.SetModifierText(source.ModifierText());
    }

    regex::TRegex engine;
    rules::RuleCompiler compiler;
    std::string text; // the file's text, reused from file to file
    app::DirectoryOpener opener; // consecutive files of a directory are opened by name
};

SearchWorkers::SearchWorkers(
    const SearchRules& rules, bool found, CodePageChoice codePage, const rules::RuleCompiler& model, int jobs)
    : m_rules(rules.multipass ? rules.rows : std::vector<rules::Rule> { rules.fields })
    , m_found(found)
    , m_codePage(codePage)
    , m_window(kWindowPerJob * static_cast<std::size_t>(jobs))
    , m_jobs(static_cast<std::size_t>(jobs))
    , m_model(std::make_unique<Worker>(model))
    , m_predictor(std::make_unique<Worker>(model))
{
}

void SearchWorkers::startWorkers(std::size_t listed)
{
    // No more workers than files, so that a short list costs no idle threads.
    while (m_threads.size() < m_jobs && m_threads.size() < listed) {
        m_workers.push_back(std::make_unique<Worker>(m_model->compiler));
        Worker* worker = m_workers.back().get();
        worker->engine.SetAbortCheck([this] { return stopping(); });
        m_threads.emplace_back([this, worker] { work(*worker); });
    }
}

SearchWorkers::~SearchWorkers()
{
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        m_stop = true;
    }
    m_workReady.notify_all();
    for (std::thread& thread : m_threads)
        thread.join();
}

void SearchWorkers::add(const fs::path& path)
{
    m_staged.push_back(path.native());
    if (m_staged.size() >= kHandOver)
        handOver(false);
}

std::size_t SearchWorkers::size() const
{
    const std::lock_guard<std::mutex> lock(m_mutex);
    return m_paths.size() + m_staged.size();
}

void SearchWorkers::close()
{
    handOver(true);
}

void SearchWorkers::handOver(bool last)
{
    std::size_t listed = 0;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        for (std::string& path : m_staged) {
            m_paths.push_back(std::move(path));
            m_slots.emplace_back();
        }
        if (last)
            m_open = false;
        listed = m_paths.size();
    }
    m_staged.clear();
    m_workReady.notify_all();
    startWorkers(listed);
}

void SearchWorkers::advancePrediction()
{
    // A refused remark ends the pass, so what it leaves behind is never used.
    for (const rules::Rule& rule : m_rules)
        m_predictor->compiler.ApplyRemark(rule.Remark);
}

void SearchWorkers::work(Worker& worker)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    for (;;) {
        m_workReady.wait(lock, [this] {
            return stopping() || claimable();
        });
        if (stopping())
            return;
        const std::size_t index = m_nextClaim++;
        const std::uint64_t epoch = m_epoch;
        const std::string& name = m_paths[index];
        FileVerdict verdict;
        verdict.startModifiers = m_predictor->engine.ModifierText();
        m_slots[index - m_released].startModifiers = verdict.startModifiers;
        advancePrediction();
        lock.unlock();
        try {
            // Made here rather than by the pass thread, which walks the list meanwhile.
            testFile(worker, fs::path(name), verdict);
        } catch (...) {
            // Out of memory or the like: the pass thread meets the same failure as one job does.
            verdict.kind = FileVerdict::Kind::Serial;
        }
        lock.lock();
        if (epoch != m_epoch)
            continue; // the file is being tested again from the real state
        Slot& slot = m_slots[index - m_released];
        slot.verdict = std::move(verdict);
        slot.ready = true;
        ++m_readyCount;
        if (m_awaited && wakeDue())
            m_verdictReady.notify_one();
    }
}

void SearchWorkers::testFile(Worker& worker, const fs::path& path, FileVerdict& verdict)
{
    // The single-job tests (SearchPass::TestFileFound and TestFileNotFound) step by step: the
    // remark of every rule, empty find or not; the count of matches including those made
    // before a limit; in the not-found pass every rule searched even after one matched.
    verdict.kind = FileVerdict::Kind::Serial;
    regex::TRegex& engine = worker.engine;
    engine.SetInputString({});
    // A rich-text file is read through the viewer, which only the pass thread may use.
    if (WorkTextEditor::IsRichTextName(path) || ReadPassText(path, m_codePage, worker.text, nullptr, &worker.opener))
        return;
    engine.SetModifierText(verdict.startModifiers);
    bool searched = false;
    bool anyMatched = false;
    try {
        for (const rules::Rule& rule : m_rules) {
            if (stopping() || !worker.compiler.ApplyRemark(rule.Remark))
                return;
            ++verdict.remarksApplied;
            if (rule.Find.empty())
                continue;
            searched = true;
            engine.SetExpression(rule.Find);
            engine.SetInputView(worker.text);
            if (!engine.ExecPos(1))
                continue;
            anyMatched = true;
            if (!m_found)
                continue;
            verdict.matched = true;
            ++verdict.matches;
            for (;;) {
                if (stopping())
                    return;
                if (const std::optional<int> more = engine.CountNextLiteralMatches(kLiteralCountBatch)) {
                    verdict.matches += *more;
                    if (*more < kLiteralCountBatch)
                        break;
                    continue;
                }
                if (!engine.ExecNext())
                    break;
                ++verdict.matches;
            }
        }
    } catch (const regex::ERegex& error) {
        // A refused expression or an abort is left to the pass thread, which ends the pass
        // with the very message and counts of one job.
        if (IsSearchLimit(error)) {
            verdict.kind = FileVerdict::Kind::Limit;
            verdict.limit = error;
        }
        engine.SetInputString({});
        return;
    }
    engine.SetInputString({});
    verdict.listed = searched && !anyMatched;
    verdict.kind = FileVerdict::Kind::Searched;
}

bool SearchWorkers::claimable() const
{
    return m_nextClaim < m_paths.size() && (m_open || m_nextClaim < m_released + m_window);
}

bool SearchWorkers::wakeDue() const
{
    const bool working = m_readyCount < m_nextClaim - m_released;
    return m_slots[*m_awaited - m_released].ready && (m_readyCount >= m_window / 2 || !working);
}

const FileVerdict* SearchWorkers::wait(std::size_t index, const std::function<bool()>& keepWaiting)
{
    std::unique_lock<std::mutex> lock(m_mutex);
    assert(index == m_released && !m_slots.empty());
    Slot& slot = m_slots[index - m_released];
    m_awaited = index;
    while (!slot.ready) {
        // A verdict there when the slice ends is taken without waiting for the batch.
        if (m_verdictReady.wait_for(lock, kWaitSlice, [this] { return wakeDue(); }) || slot.ready)
            break;
        lock.unlock();
        const bool goOn = keepWaiting();
        lock.lock();
        if (!goOn) {
            m_awaited.reset();
            return nullptr;
        }
    }
    m_awaited.reset();
    return &slot.verdict;
}

void SearchWorkers::release(std::size_t index, const std::optional<std::string>& nextModifiers)
{
    bool rewound = false;
    bool canClaim = false;
    {
        const std::lock_guard<std::mutex> lock(m_mutex);
        assert(index == m_released && !m_slots.empty() && m_slots.front().ready);
        m_slots.pop_front();
        --m_readyCount;
        m_released = index + 1;
        // The files claimed past this one hold on when the next was predicted to start from the
        // real state (no remark changes the modifiers, say, and the file was merely unreadable).
        // Otherwise they are tested again from the real state: while the list is walked that
        // may be every file so far, too many to leave to this thread.
        if (nextModifiers && (m_nextClaim == m_released || m_slots.front().startModifiers != *nextModifiers)) {
            for (std::size_t k = m_released; k < m_nextClaim; ++k) {
                Slot& slot = m_slots[k - m_released];
                if (slot.ready)
                    --m_readyCount;
                slot.ready = false;
                slot.verdict = {};
            }
            m_nextClaim = m_released;
            ++m_epoch;
            m_predictor->engine.SetModifierText(*nextModifiers);
            rewound = true;
        }
        canClaim = claimable();
    }
    // Waking a worker that finds nothing to claim costs a system call and a switch on each
    // side; after the walk, with every file claimed, that would be every file.
    if (rewound)
        m_workReady.notify_all();
    else if (canClaim)
        m_workReady.notify_one();
}

} // namespace morvane::search
