#pragma once
// The boxes a pass command shows: a plain message box, and the Yes/No confirmation that is
// true only for Yes. Texts are Windows-1251. Exercised through tests/fakes/FakePassDialogs.h
// in tests/search/PassControlTest.cpp.

#include <filesystem>
#include <string>

namespace morvane::search {

class PassDialogs {
public:
    virtual ~PassDialogs() = default;
    // A message box with an OK button; returns when the user has closed it.
    virtual void showMessage(const std::string& text) = 0;
    // A Yes/No box; true only for Yes.
    virtual bool confirm(const std::string& text) = 0;
    // A file the command left as it was, and why (program text). The report row and the
    // summary already carry it, so a window need not interrupt the pass with a box; a front end
    // without a report list (the terminal) shows it here.
    virtual void reportFileFailure(const std::filesystem::path& path, const std::string& reason)
    {
        (void)path;
        (void)reason;
    }
};

} // namespace morvane::search
