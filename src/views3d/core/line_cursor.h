#pragma once
// Walks a text line by line, taking CR LF, LF or CR as a line end. The last
// line is returned even without an end; an empty text has no lines, and a
// final line end starts no further line.

#include <cstddef>
#include <string_view>

namespace mesh {

class LineCursor
{
public:
    explicit LineCursor(std::string_view text)
        : m_text(text)
    {}

    bool next(std::string_view &line)
    {
        if (m_pos >= m_text.size())
            return false;
        const char *const begin = m_text.data() + m_pos;
        const char *const stop = m_text.data() + m_text.size();
        const char *p = begin;
        while (p != stop && *p != '\n' && *p != '\r')
            ++p;
        line = std::string_view(begin, static_cast<std::size_t>(p - begin));
        if (p != stop && *p == '\r')
            ++p;
        if (p != stop && *p == '\n' && (p == begin + line.size() || p[-1] == '\r'))
            ++p;
        m_pos = static_cast<std::size_t>(p - m_text.data());
        ++m_lineNumber;
        return true;
    }

    // 1 for the line the last next() returned.
    std::size_t lineNumber() const { return m_lineNumber; }

private:
    std::string_view m_text;
    std::size_t m_pos = 0;
    std::size_t m_lineNumber = 0;
};

} // namespace mesh
