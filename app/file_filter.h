#pragma once
// Translation of the program's file-dialog filters and default extensions to
// what Qt's file dialogs take.

#include <string>

namespace vm {

// "Text(*.txt)|*.txt|All files(*.*)|*.*|" -> "Text(*.txt) (*.txt);;All files(*.*) (*)".
// Several patterns of one entry ("*.txt;*.dat") become a space-separated list;
// "*.*" means every file, as on the desktop the filters were written for.
std::string QtFileFilter(const std::string& mfcFilter);

// The extension without its "*." / "." lead ("*.txt" -> "txt").
std::string BareExtension(const std::string& defaultExt);

// path with ".ext" appended when its file name has no extension of its own.
std::string WithDefaultExtension(const std::string& path, const std::string& defaultExt);

// What a file dialog returns for the name the user chose. Saving: the name with
// the default extension applied. Opening: the name itself when that file
// exists (a file without extension stays choosable), else the name with the
// default extension when that one exists, else the name as chosen.
std::string ApplyDefaultExtension(const std::string& path, const std::string& defaultExt,
                                  bool forOpen);

}  // namespace vm
