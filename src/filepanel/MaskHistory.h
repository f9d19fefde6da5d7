#pragma once
// The drop-down list of the mask box: five fixed entries, then the masks the user entered,
// newest first, at most 21 entries in all. Covered by tests/filepanel/MaskHistoryTest.cpp.

#include <string>
#include <string_view>
#include <vector>

namespace morvane::filepanel {

class MaskHistory {
public:
    static constexpr int kFixedCount = 5; // "*.*", "*.htm", "*.txt", "*.rtf", "*.txt;*.rtf;*.htm"
    static constexpr int kMaxCount = 21;

    // The five fixed entries.
    MaskHistory();
    // A persisted list, taken as it is.
    explicit MaskHistory(std::vector<std::string> items);

    const std::vector<std::string>& items() const { return m_items; }

    // Enter in the mask box: a text that is not "*.*", not empty and not yet in the list
    // (letter case ignored) is inserted at position 5, right after the fixed entries (at the
    // end of a shorter list); a list then longer than 21 entries loses its entry 21. Returns
    // whether the text was inserted.
    bool enter(std::string_view text);

private:
    std::vector<std::string> m_items;
};

} // namespace morvane::filepanel
