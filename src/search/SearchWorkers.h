#pragma once
// The per-file work of the found and not-found passes on worker threads: each worker owns an
// engine, a rule compiler and a read buffer, and tests files of the pass's list in list order,
// at most a bounded window of files ahead of the pass thread, which takes the verdicts one by
// one in list order and does with each what the single-job loop does (SearchPass). Nothing a
// worker does is seen outside it: it reports no failure, writes no row, touches no counter.
// Covered by tests/cli/ParallelSearchCliTest.cpp and tests/search/SearchPassTest.cpp.
//
// The list is handed over as it is walked (add, a few paths at a time), so the workers search
// while the pass thread is still walking the directories. Until the list is closed the pass
// thread takes no verdict, so the window does not bound the workers then: they test every file
// handed over so far, and the verdicts wait (a verdict is a few counters). Once closed, the
// window applies again.
//
// A remark's modifiers carry over from rule to rule and from file to file, so a file's result
// can depend on the files before it. A worker therefore starts each file from a predicted
// engine state: the state the file before would leave if it were read and searched to the end.
// The verdict names the state it started from; the pass thread accepts it only when that is the
// state its own engine is in, and otherwise (and for every unusual file: unreadable, rich text,
// a refused rule, an abort) runs the file itself as the single-job loop would, then tells the
// workers the real state: when it is not the one the next file was predicted from, the files
// claimed past it are tested again from it. The output is thus the single-job output by
// construction, and the common files never wait for the pass thread.

#include "regex/ERegex.h"
#include "rules/RuleCompiler.h"
#include "search/SearchPass.h"
#include "search/WorkTextEditor.h"

#include <atomic>
#include <condition_variable>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace morvane::search {

// What a worker found in one file.
struct FileVerdict {
    enum class Kind {
        Searched, // every rule ran to the end
        Limit, // the engine gave up at a search limit: `limit` holds its error
        Serial, // the pass thread must run this file itself
    };
    Kind kind = Kind::Serial;
    std::string startModifiers; // the engine's ModifierText() the file was tested from
    int remarksApplied = 0; // remarks applied before the end (or the limit)
    int matches = 0; // the found pass's count, up to the limit when there was one
    bool matched = false; // found pass: some rule matched before the end (or the limit)
    bool listed = false; // not-found pass: the file is to be listed
    std::optional<regex::ERegex> limit;
};

class SearchWorkers {
public:
    // Prepares `jobs` workers over an empty, open list; they start as files are handed over, no
    // more of them than files. The workers' engines copy the settings of `model`'s engine
    // (character sets, line separators) and its global modifier boxes as they are now; the
    // first file is predicted to start from the model engine's current modifiers.
    SearchWorkers(const SearchRules& rules, bool found, CodePageChoice codePage, const rules::RuleCompiler& model,
        int jobs);
    // Stops and joins the workers.
    ~SearchWorkers();
    SearchWorkers(const SearchWorkers&) = delete;
    SearchWorkers& operator=(const SearchWorkers&) = delete;

    // Appends `path` to the list. The workers see the paths a few at a time, and all of them
    // once the list is closed. Only the pass thread adds and closes.
    void add(const std::filesystem::path& path);
    // The paths added so far.
    std::size_t size() const;
    // No path follows: the last paths go to the workers, and from now on they keep within the
    // window of the pass thread.
    void close();

    // Waits for the verdict on file `index`, the next file the pass takes, calling `keepWaiting`
    // every few milliseconds while none is there; nullptr once `keepWaiting` returns false.
    const FileVerdict* wait(std::size_t index, const std::function<bool()>& keepWaiting);
    // The pass is done with file `index` (the one waited for last): a worker may go on to the
    // file one window further. `nextModifiers` is the engine state the pass goes on from when
    // the file did not end as predicted; later predictions then start from it, and files
    // already tested from another state are tested again.
    void release(std::size_t index, const std::optional<std::string>& nextModifiers);

private:
    struct Worker;
    struct Slot {
        std::string startModifiers; // predicted when the file was claimed
        bool ready = false;
        FileVerdict verdict;
    };

    // Gives the staged paths to the workers; `last` closes the list.
    void handOver(bool last);
    // Starts workers up to the job count, at most one per file of the `listed` handed over.
    void startWorkers(std::size_t listed);
    void work(Worker& worker);
    void testFile(Worker& worker, const std::filesystem::path& path, FileVerdict& verdict);
    // Applies every rule's remark, as a file that reads and searches to the end does.
    void advancePrediction();
    // Whether a worker may claim the next file: it is handed over and, once the list is
    // closed, within the window.
    bool claimable() const;
    // Whether the waiting pass thread should wake: its file is there and either a good part
    // of the window is ready or no file is being worked on. Waking for a batch rather than for
    // every file keeps the threads from taking turns on the cores.
    bool wakeDue() const;
    bool stopping() const { return m_stop.load(std::memory_order_relaxed); }

    std::vector<rules::Rule> m_rules; // the fields' rule alone, or the table's rows
    bool m_found;
    CodePageChoice m_codePage;
    std::size_t m_window;
    std::size_t m_jobs;

    mutable std::mutex m_mutex;
    std::condition_variable m_workReady; // a file may be claimed, or stop
    std::condition_variable m_verdictReady;
    // The paths handed over, kept to the end: a deque, so that a worker's reference to one
    // survives later hand-overs, and even a stale claim's (see release) stays good.
    std::deque<std::string> m_paths;
    // File k's verdict in m_slots[k - m_released]: the files not yet released, in list order.
    std::deque<Slot> m_slots;
    bool m_open = true; // paths may still be added
    std::vector<std::string> m_staged; // added, not yet handed over (pass thread only)
    std::size_t m_nextClaim = 0;
    std::uint64_t m_epoch = 0; // bumped by a rewind: verdicts of older claims are dropped
    std::size_t m_released = 0; // files the pass is done with
    std::size_t m_readyCount = 0; // verdicts there and not yet released
    std::optional<std::size_t> m_awaited; // the file the pass thread waits for
    std::unique_ptr<Worker> m_model; // the settings new workers copy; never changed
    std::unique_ptr<Worker> m_predictor; // only its engine and compiler are used
    std::atomic<bool> m_stop { false };
    std::vector<std::unique_ptr<Worker>> m_workers;
    std::vector<std::thread> m_threads;
};

} // namespace morvane::search
