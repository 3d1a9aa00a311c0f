#!/usr/bin/python3
"""Renders veltramarlin.svg into the hicolor PNG sizes committed beside it.

Run after changing the SVG: /usr/bin/python3 packaging/icons/render_png.py
Needs only librsvg and cairo (present on any desktop), through ctypes.
"""
import ctypes
import os

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
here = os.path.dirname(os.path.abspath(__file__))
rsvg = ctypes.CDLL("librsvg-2.so.2")
cairo = ctypes.CDLL("libcairo.so.2")


class Rect(ctypes.Structure):
    _fields_ = [(n, ctypes.c_double) for n in ("x", "y", "width", "height")]


rsvg.rsvg_handle_new_from_file.restype = ctypes.c_void_p
rsvg.rsvg_handle_new_from_file.argtypes = [ctypes.c_char_p, ctypes.c_void_p]
rsvg.rsvg_handle_render_document.argtypes = [ctypes.c_void_p, ctypes.c_void_p,
                                             ctypes.POINTER(Rect), ctypes.c_void_p]
cairo.cairo_image_surface_create.restype = ctypes.c_void_p
cairo.cairo_create.restype = ctypes.c_void_p
cairo.cairo_create.argtypes = [ctypes.c_void_p]
cairo.cairo_surface_write_to_png.argtypes = [ctypes.c_void_p, ctypes.c_char_p]
cairo.cairo_destroy.argtypes = [ctypes.c_void_p]
cairo.cairo_surface_destroy.argtypes = [ctypes.c_void_p]

handle = rsvg.rsvg_handle_new_from_file(os.path.join(here, "veltramarlin.svg").encode(), None)
if not handle:
    raise SystemExit("cannot read veltramarlin.svg")
for size in SIZES:
    surface = cairo.cairo_image_surface_create(0, size, size)  # ARGB32, transparent
    cr = cairo.cairo_create(surface)
    if not rsvg.rsvg_handle_render_document(handle, cr, ctypes.byref(Rect(0, 0, size, size)), None):
        raise SystemExit(f"cannot render {size}x{size}")
    folder = os.path.join(here, "hicolor", f"{size}x{size}")
    os.makedirs(folder, exist_ok=True)
    cairo.cairo_surface_write_to_png(surface, os.path.join(folder, "veltramarlin.png").encode())
    cairo.cairo_destroy(cr)
    cairo.cairo_surface_destroy(surface)
