// The Windows seams: UTF-8 paths reach the file system as UTF-16, a write
// replaces a file whole, failures read as on every other system, and the
// per-user folders are where Windows programs keep theirs.
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <windows.h>

#include "common/file_io.h"
#include "common/ini_file.h"
#include "common/source_bytes.h"
#include "common/streamed_file.h"
#include "common/user_paths.h"
#include "common/wide_text_win32.h"
#include "tests/support/temp_dir.h"

namespace vm {
namespace {

using test::TempDir;

// Names of the folder, as UTF-8, without going through the narrow code page.
std::vector<std::string> Listing(const std::string& folder) {
    std::vector<std::string> names;
    for (const auto& entry :
         std::filesystem::directory_iterator(std::filesystem::path(win32::WideFromUtf8(folder))))
        names.push_back(win32::Utf8FromWide(entry.path().filename().wstring()));
    return names;
}

TEST(WindowsFiles, chineseNamesRoundTripAndReplaceWholeWithoutLeftovers) {
    TempDir dir;
    const std::string folder = dir.path() + "\\测量数据 2026";
    ASSERT_TRUE(MakeFolders(folder));
    const std::string target = folder + "\\坐标文件.txt";
    const std::string first("PT1,100.000\r\n\0\xB2\xE2", 16);
    ASSERT_TRUE(WriteFileAtomic(target, first));
    ASSERT_TRUE(WriteFileAtomic(target, first + "more"));

    std::string bytes;
    ASSERT_TRUE(ReadFileBytes(target, bytes));
    EXPECT_EQ(bytes, first + "more");
    std::uint64_t size = 0;
    EXPECT_TRUE(IsRegularFile(target, &size));
    EXPECT_EQ(size, bytes.size());
    EXPECT_EQ(Listing(folder), std::vector<std::string>{"坐标文件.txt"});

    // A streamed file over several buffers; one never committed leaves nothing.
    const std::string streamedPath = folder + "\\转换结果.dat";
    std::string streamed;
    {
        StreamedFile dropped;
        ASSERT_TRUE(dropped.Open(streamedPath));
        dropped.Append("lost");
        StreamedFile file;
        ASSERT_TRUE(file.Open(streamedPath));
        for (int i = 0; streamed.size() < 3 * StreamedFile::kBufferSize; ++i) {
            const std::string part(i % 50 == 0 ? StreamedFile::kBufferSize + 3 : 777, 'a' + i % 26);
            file.Append(part);
            streamed += part;
        }
        ASSERT_TRUE(file.Commit());
    }
    SourceBytes source;
    ASSERT_TRUE(source.Open(streamedPath));
    EXPECT_EQ(source.View(), streamed);
    std::vector<std::string> names = NamesInFolder(folder);
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string>{"坐标文件.txt", "转换结果.dat"}));

    // A target with a second name is rewritten in place: both names see the
    // new content and no temporary file stays beside them.
    const std::string linked = folder + "\\别名.dat";
    ASSERT_TRUE(::CreateHardLinkW(win32::WideFromUtf8(linked).c_str(),
                                  win32::WideFromUtf8(streamedPath).c_str(), nullptr));
    ASSERT_TRUE(WriteFileAtomic(streamedPath, "P1,1,2,3\r\n"));
    for (const std::string& name : {streamedPath, linked}) {
        ASSERT_TRUE(ReadFileBytes(name, bytes));
        EXPECT_EQ(bytes, "P1,1,2,3\r\n") << name;
    }
    EXPECT_EQ(NamesInFolder(folder).size(), 3u);
    ASSERT_TRUE(::DeleteFileW(win32::WideFromUtf8(linked).c_str()));

    ASSERT_TRUE(IniWriteInt(folder + "\\设置.ini", "NewConfig", "Xposition", 3));
    EXPECT_EQ(IniGetInt(folder + "\\设置.ini", "newconfig", "XPOSITION", -1), 3);
}

TEST(WindowsFiles, failuresCarryTheReasonOfEverySystem) {
    TempDir dir;
    const std::string kept = dir.write("kept.txt", "old");
    struct Case {
        std::string path;
        bool write;
        int code;
    } cases[] = {
        {dir.path() + "\\没有\\x.txt", true, ENOENT},
        {dir.path(), true, EISDIR},
        {dir.path() + "\\没有.txt", false, ENOENT},
        {dir.path(), false, EISDIR},
    };
    for (const Case& c : cases) {
        FileError error;
        std::string bytes;
        EXPECT_FALSE(c.write ? WriteFileAtomic(c.path, "x", &error)
                             : ReadFileBytes(c.path, bytes, &error))
            << c.path;
        EXPECT_EQ(error.code, c.code) << c.path;
        EXPECT_EQ(error.message, (c.write ? WriteFailureMessage(c.path, c.code)
                                          : ReadFailureMessage(c.path, c.code)));
    }
    EXPECT_EQ(TempDir::read(kept), "old");

    FileError error;
    EXPECT_FALSE(StreamedFile().Open(dir.path(), FileMode::Normal, &error));
    EXPECT_EQ(error.code, EISDIR);
    EXPECT_FALSE(SourceBytes().Open(dir.path() + "\\没有.txt", &error));
    EXPECT_EQ(error.code, ENOENT);
}

TEST(WindowsUserFolders, configInAppDataAndWorkFileInLocalAppData) {
    TempDir dir;
    const std::string roaming = dir.path() + "\\漫游";
    const std::string local = dir.path() + "\\本地";
    ::_wputenv_s(L"APPDATA", win32::WideFromUtf8(roaming).c_str());
    ::_wputenv_s(L"LOCALAPPDATA", win32::WideFromUtf8(local).c_str());
    EXPECT_EQ(UserIniPath(), roaming + "\\VeltraMarlin\\ConfigFile.ini");
    EXPECT_EQ(WorkFilePath(), local + "\\VeltraMarlin\\veltratemp.txt");
    ASSERT_TRUE(WriteFileAtomic(WorkFilePath(), "pane", nullptr, FileMode::OwnerOnly));
    EXPECT_EQ(Listing(local + "\\VeltraMarlin"), std::vector<std::string>{"veltratemp.txt"});
}

}  // namespace
}  // namespace vm
