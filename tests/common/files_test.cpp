#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "common/file_io.h"
#include "common/ini_file.h"
#include "common/streamed_file.h"
#include "common/user_paths.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

TEST(Ini, readsAndWritesCaseInsensitivelyWithIntegerPrefixRules) {
    TempDir dir;
    const std::string ini = dir.write("c.ini", "[comconfig]\r\nBAUD = 4\r\nPort=-3x\r\nEmpty=\r\n");
    EXPECT_EQ(IniGetInt(ini, "ComConfig", "Baud", 2), 4);
    EXPECT_EQ(IniGetInt(ini, "ComConfig", "port", 0), -3);
    EXPECT_EQ(IniGetInt(ini, "ComConfig", "Empty", 9), 0);
    EXPECT_EQ(IniGetInt(ini, "ComConfig", "Missing", 9), 9);
    EXPECT_EQ(IniGetInt(ini, "Other", "Baud", 2), 2);
    EXPECT_EQ(IniGetInt(dir.file("absent.ini"), "ComConfig", "Baud", 2), 2);

    // A write keeps every other line and creates the file and section.
    const std::string created = dir.file("new.ini");
    ASSERT_TRUE(IniWriteInt(created, "ComConfig", "Baud", 3));
    ASSERT_TRUE(IniWriteString(created, "tempvar", "filetype", "1"));
    ASSERT_TRUE(IniWriteInt(created, "comconfig", "BAUD", 5));
    ASSERT_TRUE(IniWriteInt(created, "ComConfig", "Port", 1));
    EXPECT_EQ(TempDir::read(created),
              "[ComConfig]\r\nBAUD=5\r\nPort=1\r\n[tempvar]\r\nfiletype=1\r\n");

    const std::string kept = dir.write("kept.ini", "; note\n[A]\nx=1\n\n[B]\ny=2\n");
    ASSERT_TRUE(IniWriteString(kept, "A", "z", "3"));
    EXPECT_EQ(TempDir::read(kept), "; note\r\n[A]\r\nx=1\r\nz=3\r\n\r\n[B]\r\ny=2\r\n");
}

TEST(Ini, writeIntoUnwritableFolderFailsWithMessageAndKeepsFile) {
    if (::geteuid() == 0)
        GTEST_SKIP() << "root ignores folder permissions";
    TempDir dir;
    const std::string ini = dir.write("ro.ini", "[A]\r\nx=1\r\n");
    ::chmod(dir.path().c_str(), 0500);
    std::string error;
    EXPECT_FALSE(IniWriteInt(ini, "A", "x", 2, &error));
    EXPECT_EQ(error, "文件夹不可写：" + dir.path());
    ::chmod(dir.path().c_str(), 0700);
    EXPECT_EQ(TempDir::read(ini), "[A]\r\nx=1\r\n");
}

// A write replaces the whole file or leaves it; a failure names the file and why.
TEST(FileIo, writesWholeFilesAndReportsFailures) {
    TempDir dir;
    const std::string target = dir.write("t.txt", "old");
    ASSERT_TRUE(WriteFileAtomic(target, std::string("new\0bytes", 9)));
    EXPECT_EQ(TempDir::read(target), std::string("new\0bytes", 9));

    FileError error;
    EXPECT_FALSE(WriteFileAtomic(dir.file("missing/x.txt"), "x", &error));
    EXPECT_EQ(error.code, ENOENT);
    EXPECT_NE(error.message.find("missing/x.txt"), std::string::npos);
    EXPECT_FALSE(WriteFileAtomic(dir.path(), "x", &error));
    EXPECT_EQ(error.code, EISDIR);

    std::string bytes;
    EXPECT_FALSE(ReadFileBytes(dir.file("none"), bytes, &error));
    EXPECT_NE(error.message.find("无法读取文件"), std::string::npos);
    EXPECT_FALSE(ReadFileBytes(dir.path(), bytes, &error));
    EXPECT_EQ(error.code, EISDIR);
}

// A write into a folder clears the program's own temporaries that an earlier
// run left there over a day ago; other files, and fresh ones, stay.
TEST(FileIo, aWriteClearsDayOldTemporariesOfTheProgramOnly) {
    TempDir dir;
    const std::string names[] = {".vm-Ab12Cd", ".vm-old-x9Y8z7", ".vm-Fresh1", ".vm-notes.txt",
                                 "vm-Ab12Cd"};
    for (const std::string& name : names)
        dir.write(name, "x");
    const struct timespec twoDaysAgo[2] = {{::time(nullptr) - 2 * 86400, 0},
                                           {::time(nullptr) - 2 * 86400, 0}};
    for (const std::string& name : names) {
        if (name != ".vm-Fresh1")
            ::utimensat(AT_FDCWD, dir.file(name).c_str(), twoDaysAgo, 0);
    }
    ASSERT_TRUE(WriteFileAtomic(dir.file("out.txt"), "new"));
    for (const std::string& name : names) {
        const bool stale = name == ".vm-Ab12Cd" || name == ".vm-old-x9Y8z7";
        EXPECT_EQ(FileExists(dir.file(name)), !stale) << name;
    }
}

// A streamed file: every byte in order across buffer refills and texts longer
// than the buffer, the target untouched until the commit, and no temporary file
// left behind by a file that is dropped unfinished.
TEST(StreamedFile, writesAcrossBufferRefillsAndOnlyCommitReplaces) {
    TempDir dir;
    const std::string target = dir.write("t.txt", "old");
    std::string expected;
    {
        StreamedFile dropped;
        ASSERT_TRUE(dropped.Open(target));
        dropped.Append(std::string(3 * StreamedFile::kBufferSize, 'x'));
    }
    StreamedFile file;
    ASSERT_TRUE(file.Open(target));
    for (int i = 0; expected.size() < 5 * StreamedFile::kBufferSize; ++i) {
        const std::string part(i % 500 == 0 ? StreamedFile::kBufferSize + 7 : i % 97, 'a' + i % 26);
        file.Append(part);
        char* room = file.Room(3);
        room[0] = '\r', room[1] = '\n', room[2] = '\0';
        file.Added(3);
        expected += part + std::string("\r\n\0", 3);
    }
    EXPECT_EQ(TempDir::read(target), "old");
    ASSERT_TRUE(file.Commit());
    EXPECT_EQ(TempDir::read(target), expected);
    EXPECT_EQ(TempDir::list(dir.path()), std::vector<std::string>{"t.txt"}) << "no temporary left";
}

TEST(UserPaths, followXdgFoldersAndCreateThemOwnerOnly) {
    TempDir dir;
    ::setenv("XDG_DATA_HOME", dir.file("data").c_str(), 1);
    ::setenv("XDG_CONFIG_HOME", dir.file("config").c_str(), 1);
    EXPECT_EQ(WorkFilePath(), dir.file("data") + "/VeltraMarlin/veltratemp.txt");
    EXPECT_EQ(UserIniPath(), dir.file("config") + "/VeltraMarlin/ConfigFile.ini");
    struct stat st {};
    ASSERT_EQ(::stat((dir.file("data") + "/VeltraMarlin").c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    ::unsetenv("XDG_DATA_HOME");
    ::unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace vm
