// Feeds every file of a fuzz target's kept corpus to the target's own entry function, so that
// the seeds and every input that once found a fault run in each build, without clang. A broken
// property aborts the test program with the property's name.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace {

namespace fs = std::filesystem;

// Fewer files than this means the corpus folder went missing or was emptied.
constexpr std::size_t kFewestSeeds = 5;

// The names of the corpus files, so that each test is named after its file.
std::vector<std::string> CorpusFiles()
{
    std::vector<std::string> files;
    std::error_code error;
    for (const fs::directory_entry& entry : fs::directory_iterator(MORVEL_CORPUS_DIR, error)) {
        if (entry.is_regular_file())
            files.push_back(entry.path().filename().string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::string TestName(const ::testing::TestParamInfo<std::string>& info)
{
    std::string name = info.param;
    std::replace_if(name.begin(), name.end(), [](unsigned char c) { return !std::isalnum(c); }, '_');
    return name;
}

class CorpusReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(CorpusReplay, RunsThroughTheTargetWithEveryPropertyKept)
{
    const fs::path path = fs::path(MORVEL_CORPUS_DIR) / GetParam();
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << path;
    const std::vector<char> bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()), 0);
}

INSTANTIATE_TEST_SUITE_P(Corpus, CorpusReplay, ::testing::ValuesIn(CorpusFiles()), TestName);

TEST(CorpusFolder, HoldsTheKeptInputs)
{
    EXPECT_GE(CorpusFiles().size(), kFewestSeeds) << MORVEL_CORPUS_DIR;
}

} // namespace
