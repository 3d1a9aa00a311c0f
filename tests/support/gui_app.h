#pragma once
// What GUI tests share: the one QApplication (offscreen under ctest), the
// top-level widgets a test left behind, and a current directory of its own
// (the serial settings live in ./ConfigFile.ini).

#include <QWidget>

#include <string>

namespace vm::test {

// Creates the QApplication on first use.
void EnsureApplication();

// Top-level widgets that still exist (after deferred deletions ran).
QWidgetList LeftoverTopLevelWidgets();

// Makes dir the current directory until destruction.
class ScopedCurrentDir {
public:
    explicit ScopedCurrentDir(const std::string& dir);
    ~ScopedCurrentDir();
    ScopedCurrentDir(const ScopedCurrentDir&) = delete;
    ScopedCurrentDir& operator=(const ScopedCurrentDir&) = delete;

private:
    std::string m_previous;
};

}  // namespace vm::test
