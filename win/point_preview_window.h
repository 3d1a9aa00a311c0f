#pragma once
// The point preview window: the points of a file drawn north up, first all of
// them (全图); the wheel zooms about the mouse, a drag pans, a click shows the
// nearest point's name and coordinates, 导出PNG... saves the picture.

#include "win/win32.h"

#include <memory>
#include <string>

#include "export/point_grid.h"
#include "export/point_view_frame.h"
#include "win/point_drawing.h"

namespace vm::win32 {

inline constexpr const wchar_t* kPointPreviewClass = L"VeltraMarlinPointPreview";

class PointPreviewWindow {
public:
    // Reads path and shows its points in a new window owned by owner; a
    // message (and false) when the file cannot be read.
    static bool Open(HWND owner, const std::string& path, PointFileKind kind,
                     const LayoutColumns& layout);
    // Shows the points of bytes, named source in the title.
    static void Show(HWND owner, std::string bytes, const std::string& source,
                     PointFileKind kind = PointFileKind::Auto,
                     const LayoutColumns& layout = LayoutColumns());

private:
    PointPreviewWindow(std::string bytes, const std::string& source, PointFileKind kind,
                       const LayoutColumns& layout);
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ViewProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void RegisterClasses();

    void OnCreate(HWND hwnd);
    void OnSize(int width, int height);
    void OnCommand(int id);
    void OnPaintView();
    void OnWheel(int delta, POINT screen);
    void OnButtonDown(POINT at);
    void OnMouseMove(POINT at);
    void OnButtonUp(POINT at);
    void FillOtherLines(HWND list);
    void OpenOther();
    void FitAll();
    void ExportPng();
    void ShowPicked();
    PointPicture Picture() const;
    SIZE ViewSize() const;
    void Redraw() { InvalidateRect(m_view, nullptr, FALSE); }

    std::string m_source;
    PointSet m_set;
    PointGrid m_grid;
    PointArea m_area;
    PointViewFrame m_frame;
    long long m_selected = -1;
    bool m_keepFitted = true;
    bool m_dragging = false;
    POINT m_pressAt{}, m_lastAt{};
    HWND m_hwnd = nullptr, m_view = nullptr;
    HFONT m_font = nullptr;
};

}  // namespace vm::win32
