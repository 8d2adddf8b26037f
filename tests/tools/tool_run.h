#pragma once

// Runs the built morvel tool and morvel-sim as a user would, each test in a folder of its own.

#include <QProcess>
#include <QProcessEnvironment>
#include <QStringList>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <unistd.h>

namespace morvel {

namespace fs = std::filesystem;
using Bytes = std::vector<std::uint8_t>;

struct ToolRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

inline ToolRun RunProgram(const char* program, const std::vector<std::string>& arguments,
                          const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment())
{
    QStringList list;
    for (const std::string& argument : arguments)
        list << QString::fromStdString(argument);
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QString::fromUtf8(program), list);
    process.waitForFinished(30000);
    EXPECT_EQ(process.exitStatus(), QProcess::NormalExit);
    return {process.exitCode(), process.readAllStandardOutput().toStdString(), process.readAllStandardError().toStdString()};
}

inline ToolRun Morvel(const std::vector<std::string>& arguments)
{
    return RunProgram(MORVEL_TOOL, arguments);
}

inline Bytes ReadBytes(const fs::path& file)
{
    std::ifstream in(file, std::ios::binary);
    return Bytes(std::istreambuf_iterator<char>(in), {});
}

inline void WriteBytes(const fs::path& file, const Bytes& bytes)
{
    std::ofstream(file, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()),
                                                static_cast<std::streamsize>(bytes.size()));
}

inline bool IsOneLine(const std::string& text)
{
    return !text.empty() && text.find('\n') == text.size() - 1;
}

class MorvelTool : public testing::Test {
protected:
    void SetUp() override
    {
        std::string test = testing::UnitTest::GetInstance()->current_test_info()->name();
        std::replace(test.begin(), test.end(), '/', '-');
        directory_ = fs::temp_directory_path() / ("morvel-tool-test-" + std::to_string(::getpid()) + "-" + test);
        fs::remove_all(directory_);
        fs::create_directories(directory_);
    }
    void TearDown() override { fs::remove_all(directory_); }
    std::string Path(const std::string& name) const { return (directory_ / name).string(); }

    fs::path directory_;
};

} // namespace morvel
