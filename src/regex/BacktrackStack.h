#pragma once
// BacktrackStack: the matcher's explicit stack of choice points and undo records, in 32-bit
// words on the heap. A record is pushed payload first and its tag last, so popping reads the tag
// and then the payload. Growth beyond kMaxWords ends the search with error 1017 instead of
// exhausting memory. Covered by tests/regex/LargeInputTest.cpp.

#include "regex/RegexErrors.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <new>

namespace morvane::regex {

class BacktrackStack {
public:
    // 1 GiB of records; a 4 MiB subject needs at most about an eighth of it.
    static constexpr size_t kMaxWords = size_t(1) << 28;

    void Clear() { m_top = 0; }
    bool Empty() const { return m_top == 0; }
    size_t Size() const { return m_top; }

    void Push(uint32_t a)
    {
        reserve(1);
        m_data[m_top++] = a;
    }
    void Push(uint32_t a, uint32_t b)
    {
        reserve(2);
        m_data[m_top] = a;
        m_data[m_top + 1] = b;
        m_top += 2;
    }
    void Push(uint32_t a, uint32_t b, uint32_t c)
    {
        reserve(3);
        m_data[m_top] = a;
        m_data[m_top + 1] = b;
        m_data[m_top + 2] = c;
        m_top += 3;
    }
    uint32_t Pop() { return m_data[--m_top]; }

private:
    std::unique_ptr<uint32_t[]> m_data;
    size_t m_top = 0;
    size_t m_capacity = 0;

    void reserve(size_t words)
    {
        if (m_top + words > m_capacity)
            grow(m_top + words);
    }

    void grow(size_t needed)
    {
        if (needed > kMaxWords)
            throw RegexFailure { kErrMatchStackLimit, 0 };
        size_t capacity = m_capacity == 0 ? 1024 : m_capacity * 2;
        while (capacity < needed)
            capacity *= 2;
        if (capacity > kMaxWords)
            capacity = kMaxWords;
        std::unique_ptr<uint32_t[]> data(new (std::nothrow) uint32_t[capacity]);
        if (!data)
            throw RegexFailure { kErrMatchStackLimit, 0 };
        if (m_top != 0)
            std::memcpy(data.get(), m_data.get(), m_top * sizeof(uint32_t));
        m_data = std::move(data);
        m_capacity = capacity;
    }
};

} // namespace morvane::regex
