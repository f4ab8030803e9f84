// Binding a library by path and export name, the program's directory, reading a file.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <unistd.h>

#include "platform/library.h"

namespace mozhou::library {
namespace {

constexpr const char* kSystemLibrary = "libm.so.6";

TEST(LibraryBindTest, MissingFileIsReported) {
  std::string error;
  EXPECT_EQ(Library_Bind("/nonexistent/bindll/qinglan.so", "加载青岚", &error), nullptr);
  EXPECT_NE(error.find("/nonexistent/bindll/qinglan.so"), std::string::npos) << error;
}

TEST(LibraryBindTest, MissingExportIsReported) {
  std::string error;
  EXPECT_EQ(Library_Bind(kSystemLibrary, "加载悦墨", &error), nullptr);
  EXPECT_NE(error.find("加载悦墨"), std::string::npos) << error;
  EXPECT_EQ(Library_Bind(kSystemLibrary, "加载悦墨", nullptr), nullptr);  // no error wanted
}

TEST(LibraryBindTest, ExistingExportBinds) {
  std::string error;
  EXPECT_NE(Library_Bind(kSystemLibrary, "cos", &error), nullptr) << error;
}

TEST(ProgramDirectoryTest, HoldsTheRunningProgram) {
  const std::string directory = ProgramDirectory();
  ASSERT_FALSE(directory.empty());
  EXPECT_NE(directory.back(), '/');
  EXPECT_EQ(access((directory + "/ui_tests").c_str(), X_OK), 0) << directory;
}

TEST(FileReadAllTest, WholeFileOrNothing) {
  const std::string path = ::testing::TempDir() + "mozhou_read_all.bin";
  const std::string bytes("MZ\0\x01\xFF tail", 10);
  {
    std::ofstream file(path, std::ios::binary);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  }
  EXPECT_EQ(File_ReadAll(path), bytes);
  std::remove(path.c_str());
  EXPECT_EQ(File_ReadAll(path), "");
}

}  // namespace
}  // namespace mozhou::library
