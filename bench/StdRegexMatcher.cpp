// std::regex harness; see StdRegexMatcher.h.

#include "StdRegexMatcher.h"

#include <pthread.h>

#include <stdexcept>

namespace morvane::bench {

namespace {

// Address space only; pages are touched as deep as the recursion goes.
constexpr std::size_t kStackBytes = std::size_t { 4 } * 1024 * 1024 * 1024;

struct ThreadJob {
    const StdRegexMatcher* matcher;
    std::string_view subject;
    std::size_t (StdRegexMatcher::*count)(std::string_view) const;
    std::size_t result = 0;
    double cpuSeconds = 0;
    std::string error;
};

void* RunJob(void* arg)
{
    auto* job = static_cast<ThreadJob*>(arg);
    const double start = Matcher::ThreadCpuSeconds();
    try {
        job->result = (job->matcher->*job->count)(job->subject);
    } catch (const std::exception& e) {
        job->error = e.what();
    }
    job->cpuSeconds = Matcher::ThreadCpuSeconds() - start;
    return nullptr;
}

std::regex::flag_type Flags(bool icase)
{
    std::regex::flag_type flags = std::regex::ECMAScript | std::regex::multiline;
    if (icase) {
        flags |= std::regex::icase;
    }
    return flags;
}

} // namespace

StdRegexMatcher::StdRegexMatcher(const std::string& pattern, bool icase)
    : m_regex(pattern, Flags(icase))
{
}

std::string StdRegexMatcher::Name() const
{
    return "std::regex";
}

std::size_t StdRegexMatcher::CountOnThisThread(std::string_view subject) const
{
    std::cregex_iterator it(subject.data(), subject.data() + subject.size(), m_regex);
    std::size_t count = 0;
    for (const std::cregex_iterator end; it != end; ++it) {
        ++count;
    }
    return count;
}

std::size_t StdRegexMatcher::CountAll(std::string_view subject)
{
    double cpuSeconds = 0;
    return CountTimed(subject, cpuSeconds);
}

std::size_t StdRegexMatcher::CountTimed(std::string_view subject, double& cpuSeconds)
{
    ThreadJob job { this, subject, &StdRegexMatcher::CountOnThisThread, 0, 0, {} };
    pthread_attr_t attr;
    pthread_attr_init(&attr);
    pthread_attr_setstacksize(&attr, kStackBytes);
    pthread_t thread;
    const int rc = pthread_create(&thread, &attr, RunJob, &job);
    pthread_attr_destroy(&attr);
    if (rc != 0) {
        throw std::runtime_error("cannot start the std::regex thread");
    }
    pthread_join(thread, nullptr);
    if (!job.error.empty()) {
        throw std::runtime_error(job.error);
    }
    cpuSeconds = job.cpuSeconds;
    return job.result;
}

} // namespace morvane::bench
