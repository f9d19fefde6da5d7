// Fragment insertion for the insertion menus. Covered by tests/template/InsertionTest.cpp.

#include "template/Insertion.h"

#include <algorithm>

namespace morvane::templ {

void InsertFragment(EditorText& target, const Insertion& insertion)
{
    const int size = static_cast<int>(target.text.size());
    const int start = std::clamp(target.selStart, 0, size);
    // A negative length selects towards the text's start, as an edit control's anchor can.
    int from = start;
    int to = start;
    if (target.selLength >= 0)
        to = std::min<long long>(static_cast<long long>(start) + target.selLength, size);
    else
        from = static_cast<int>(std::max<long long>(static_cast<long long>(start) + target.selLength, 0));
    target.text.replace(static_cast<size_t>(from), static_cast<size_t>(to - from), insertion.text);
    const int length = static_cast<int>(insertion.text.size());
    const int back = std::clamp(insertion.caretBack, 0, length);
    target.selStart = from + length - back;
    target.selLength = 0;
}

} // namespace morvane::templ
