// Binding a plug-in library at run time by path and export name (dlopen, dlsym).
#pragma once

#include <string>

namespace mozhou::library {

using PluginEntry = int (*)(const char*);

// Loads the library at `path` and looks up `export_name` (UTF-8). Returns nullptr and
// fills `error` (the loader's message) when either step fails. The library stays loaded.
PluginEntry Library_Bind(const std::string& path, const std::string& export_name, std::string* error);

// Directory of the running executable, without a trailing "/".
std::string ProgramDirectory();

// The whole file as bytes; empty when it cannot be read.
std::string File_ReadAll(const std::string& path);

}  // namespace mozhou::library
