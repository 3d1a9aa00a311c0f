#pragma once
// A fresh folder per test, removed with everything in it afterwards.

#include <string>
#include <vector>

namespace vm::test {

class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::string& path() const { return m_path; }
    std::string file(const std::string& name) const { return m_path + "/" + name; }

    // Writes bytes to name inside the folder and returns its full path.
    std::string write(const std::string& name, const std::string& bytes) const;
    // The bytes of a file ("" when it cannot be read).
    static std::string read(const std::string& path);
    // The names in a folder, sorted (none when it cannot be listed).
    static std::vector<std::string> list(const std::string& folder);

private:
    std::string m_path;
};

}  // namespace vm::test
