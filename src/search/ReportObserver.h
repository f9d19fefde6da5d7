#pragma once
// Told of every change of the report model, so the report list view can follow it while a
// pass runs (it redraws when the message pump lets it). Covered by
// tests/search/ReportModelTest.cpp.

namespace morvane::search {

class ReportObserver {
public:
    virtual ~ReportObserver() = default;
    virtual void reportCleared() = 0;
    virtual void reportRowAdded(int row) = 0;
    virtual void reportColumnsChanged() = 0;
};

} // namespace morvane::search
