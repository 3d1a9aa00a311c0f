#pragma once
// Output gathered in a string, with the interface of StreamedFile, so that one
// conversion walk serves both files and texts held in memory.

#include <string>
#include <string_view>
#include <vector>

namespace vm {

class StringSink {
public:
    explicit StringSink(std::string& text) : m_text(text) {}

    char* Room(size_t n) {
        if (m_scratch.size() < n)
            m_scratch.resize(n);
        return m_scratch.data();
    }
    void Added(size_t k) { m_text.append(m_scratch.data(), k); }
    void Append(std::string_view part) { m_text.append(part); }
    void Append(char c) { m_text.push_back(c); }

private:
    std::string& m_text;
    std::vector<char> m_scratch;
};

}  // namespace vm
