#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>
#include <vector>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "output/SafeFile.h"
#include "support/TempFile.h"

using namespace bramble;
namespace fs = std::filesystem;

namespace {

// An empty folder of its own for each test, removed with everything in it.
class TempFolder {
public:
    TempFolder()
    {
        std::string pattern = (fs::temp_directory_path() / "bramble-safefile-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr)
            throw std::runtime_error("mkdtemp failed");
        m_path = pattern;
    }
    ~TempFolder()
    {
        std::error_code ec;
        fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(m_path, ec);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string File(const std::string& name) const { return (m_path / name).string(); }
    const fs::path& path() const { return m_path; }
    std::vector<std::string> Names() const
    {
        std::vector<std::string> names;
        for (const auto& entry : fs::directory_iterator(m_path))
            names.push_back(entry.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }

private:
    fs::path m_path;
};

void WritePlain(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

}  // namespace

TEST(SafeFile, WritesANewFileWithExactlyTheBytes)
{
    TempFolder folder;
    const std::string bytes = std::string("line 1\r\nline\t2\n") + '\0' + "\xff end";
    const Outcome result = WriteFileSafely(folder.File("out.txt"), bytes);
    ASSERT_TRUE(result.Succeeded()) << result.ErrorText();
    EXPECT_EQ(test::ReadWholeFile(folder.File("out.txt")), bytes);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"out.txt"});  // no temporary file left
}

TEST(SafeFile, ReplacesAnExistingFileAndKeepsItsPermissions)
{
    TempFolder folder;
    const std::string path = folder.File("export.dat");
    WritePlain(path, "an older and much longer content than the new one\n");
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileSafely(path, "new\n").Succeeded());
    EXPECT_EQ(test::ReadWholeFile(path), "new\n");
    struct stat st { };
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"export.dat"});
}

TEST(SafeFile, EmptyBytesGiveAnEmptyFile)
{
    TempFolder folder;
    const std::string path = folder.File("empty.txt");
    WritePlain(path, "old");
    ASSERT_TRUE(WriteFileSafely(path, "").Succeeded());
    EXPECT_TRUE(fs::exists(path));
    EXPECT_EQ(fs::file_size(path), 0u);
}

TEST(SafeFile, MissingFolderFailsWithAMessageNamingTheFile)
{
    TempFolder folder;
    const std::string path = folder.File("no-such-folder/out.txt");
    const Outcome result = WriteFileSafely(path, "x");
    EXPECT_TRUE(result.Failed());
    EXPECT_NE(result.ErrorText().find(path), std::string::npos) << result.ErrorText();
    EXPECT_NE(result.ErrorText().find("No such file or directory"), std::string::npos) << result.ErrorText();
    EXPECT_TRUE(folder.Names().empty());
}

TEST(SafeFile, AFolderInTheWayIsLeftIntactAndNoTemporaryRemains)
{
    TempFolder folder;
    const std::string path = folder.File("taken");
    fs::create_directory(path);
    WritePlain(folder.File("taken/inside.txt"), "keep");
    const Outcome result = WriteFileSafely(path, "x");
    EXPECT_TRUE(result.Failed());
    EXPECT_FALSE(result.ErrorText().empty());
    EXPECT_EQ(test::ReadWholeFile(folder.File("taken/inside.txt")), "keep");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"taken"});
}

// A full disk, made with the file size limit: the write fails part way.
TEST(SafeFile, AFailedWriteKeepsTheOldFile)
{
    TempFolder folder;
    const std::string path = folder.File("final.txt");
    WritePlain(path, "the earlier export\n");

    struct rlimit old { };
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    const auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit small = old;
    small.rlim_cur = 4096;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const Outcome result = WriteFileSafely(path, std::string(100000, 'x'));
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, oldHandler);

    EXPECT_TRUE(result.Failed());
    EXPECT_NE(result.ErrorText().find("File too large"), std::string::npos) << result.ErrorText();
    EXPECT_NE(result.ErrorText().find(path), std::string::npos);
    EXPECT_EQ(test::ReadWholeFile(path), "the earlier export\n");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"final.txt"});
}

TEST(SafeFile, AReadOnlyFolderFailsAndKeepsTheOldFile)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    TempFolder folder;
    const std::string path = folder.File("locked.txt");
    WritePlain(path, "old");
    fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
    const Outcome result = WriteFileSafely(path, "new");
    EXPECT_TRUE(result.Failed());
    EXPECT_NE(result.ErrorText().find("Permission denied"), std::string::npos) << result.ErrorText();
    EXPECT_EQ(test::ReadWholeFile(path), "old");
}

TEST(SafeFile, EmptyPathFails) { EXPECT_TRUE(WriteFileSafely("", "x").Failed()); }

TEST(SafeFile, AReadOnlyFileIsNotReplaced)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "permissions do not bind the super-user";
    TempFolder folder;
    const std::string path = folder.File("read-only.txt");
    WritePlain(path, "old");
    ASSERT_EQ(::chmod(path.c_str(), 0444), 0);
    const Outcome result = WriteFileSafely(path, "new");
    EXPECT_TRUE(result.Failed());
    EXPECT_NE(result.ErrorText().find("Permission denied"), std::string::npos) << result.ErrorText();
    EXPECT_EQ(test::ReadWholeFile(path), "old");
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"read-only.txt"});
}
