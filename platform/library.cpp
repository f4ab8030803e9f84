#include "platform/library.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <fstream>
#include <iterator>
#include <mutex>

namespace mozhou::library {
namespace {

constexpr std::size_t kExecutablePathLimit = 4096;

// dlerror() keeps one message per thread, but dlopen/dlsym/dlerror in a row must not be
// split by another binder's calls on this thread's behalf; a lock keeps each bind whole.
std::mutex& BindMutex() {
  static std::mutex mutex;
  return mutex;
}

std::string LoaderMessage(const char* fallback) {
  const char* message = dlerror();
  return message != nullptr ? std::string(message) : std::string(fallback);
}

}  // namespace

PluginEntry Library_Bind(const std::string& path, const std::string& export_name, std::string* error) {
  const std::lock_guard lock(BindMutex());
  dlerror();  // forget an earlier message
  void* handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    if (error != nullptr) *error = LoaderMessage("the library cannot be loaded");
    return nullptr;
  }
  // The handle is never closed: the library stays loaded for the life of the process.
  dlerror();
  void* symbol = dlsym(handle, export_name.c_str());
  if (symbol == nullptr) {
    if (error != nullptr) *error = LoaderMessage("the library lacks the export");
    return nullptr;
  }
  return reinterpret_cast<PluginEntry>(symbol);
}

std::string ProgramDirectory() {
  std::array<char, kExecutablePathLimit> buffer{};
  const ssize_t length = readlink("/proc/self/exe", buffer.data(), buffer.size() - 1);
  if (length <= 0) return ".";
  std::string path(buffer.data(), static_cast<std::size_t>(length));
  const auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "";  // a program in "/": the directory without its trailing "/"
  return path.substr(0, slash);
}

std::string File_ReadAll(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return {};
  std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
  if (file.bad()) return {};
  return bytes;
}

}  // namespace mozhou::library
