// The mask box's drop-down list. Covered by tests/filepanel/MaskHistoryTest.cpp.

#include "filepanel/MaskHistory.h"

#include "filepanel/CaseFold.h"

#include <algorithm>

namespace morvane::filepanel {

MaskHistory::MaskHistory()
    : m_items { "*.*", "*.htm", "*.txt", "*.rtf", "*.txt;*.rtf;*.htm" }
{
}

MaskHistory::MaskHistory(std::vector<std::string> items)
    : m_items(std::move(items))
{
}

bool MaskHistory::enter(std::string_view text)
{
    if (text.empty() || text == "*.*")
        return false;
    const bool known = std::any_of(m_items.begin(), m_items.end(),
        [text](const std::string& item) { return SameTextWin1251(item, text); });
    if (known)
        return false;
    const std::size_t at = std::min<std::size_t>(kFixedCount, m_items.size());
    m_items.insert(m_items.begin() + static_cast<std::ptrdiff_t>(at), std::string(text));
    if (m_items.size() > static_cast<std::size_t>(kMaxCount))
        m_items.erase(m_items.begin() + kMaxCount);
    return true;
}

} // namespace morvane::filepanel
