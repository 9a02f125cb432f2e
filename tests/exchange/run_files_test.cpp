// The output files of the console programs: what is written arrives whole and in order whatever the size
// of the pieces, and a file that cannot be written completely is reported at its close.
#include "brindel/exchange/run_files.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "tests/support/scratch_folder.h"

namespace mirelda {
namespace {

using exchange::RunOutput;
using testing::ScratchFolder;

// Pieces of every size around the buffer's, from one byte to several buffers, each recognisable.
std::string PieceOf(int index, std::size_t size) {
  std::string piece(size, static_cast<char>('a' + index % 26));
  piece.front() = '<';
  if (size > 1) piece.back() = '>';
  return piece;
}

TEST(RunOutput, PiecesOfEverySizeArriveWholeAndInOrder) {
  ScratchFolder folder;
  std::string expected;
  {
    RunOutput output((folder / "out").string());
    ASSERT_TRUE(output.IsOpen());
    const std::size_t sizes[] = {1,     1023,    1024,          10001, 3,      200000,
                                 70000, 1 << 18, (1 << 18) - 1, 5,     900000, 2};
    int index = 0;
    for (int round = 0; round < 3; ++round) {
      for (std::size_t size : sizes) {
        const std::string piece = PieceOf(index++, size);
        output.Stream() << piece;
        output.Stream().put('\n');
        expected += piece;
        expected += '\n';
      }
    }
    EXPECT_TRUE(output.Close());
  }
  const std::string written = folder.Read("out");
  ASSERT_EQ(written.size(), expected.size());
  EXPECT_TRUE(written == expected);
}

// Outputs share a few buffers of one block and take others beyond them: none may share a buffer, also
// when outputs close in another order than they opened and new ones take the buffers given back.
TEST(RunOutput, OutputsOpenAtOnceKeepTheirOwnContents) {
  ScratchFolder folder;
  std::map<std::string, std::string> expected;
  std::vector<std::unique_ptr<RunOutput>> open;
  const auto openOutput = [&](const std::string& name) {
    open.push_back(std::make_unique<RunOutput>((folder / name).string()));
    ASSERT_TRUE(open.back()->IsOpen());
    expected[name];
  };
  const auto writeAll = [&](int round) {
    for (const std::unique_ptr<RunOutput>& output : open) {
      const std::string name = std::filesystem::path(output->Path()).filename().string();
      const std::string piece = PieceOf(round, 100000) + name;
      output->Stream() << piece;
      expected[name] += piece;
    }
  };
  for (int i = 0; i < 12; ++i) openOutput("first" + std::to_string(i));
  writeAll(0);
  // Every other one closes; as many new ones open; all write again.
  for (std::size_t i = 0; i < open.size(); i += 2) EXPECT_TRUE(open[i]->Close());
  std::erase_if(open, [](const std::unique_ptr<RunOutput>& output) { return !output->IsOpen(); });
  for (int i = 0; i < 6; ++i) openOutput("second" + std::to_string(i));
  writeAll(1);
  writeAll(2);
  for (const std::unique_ptr<RunOutput>& output : open) EXPECT_TRUE(output->Close());
  for (const auto& [name, text] : expected) EXPECT_TRUE(folder.Read(name) == text) << name;
}

TEST(RunOutput, AFileThatCannotBeWrittenCompletelyIsReportedAtItsClose) {
  if (!std::filesystem::exists("/dev/full")) GTEST_SKIP() << "no /dev/full";
  ScratchFolder folder;
  std::filesystem::create_symlink("/dev/full", folder / "small");
  std::filesystem::create_symlink("/dev/full", folder / "large");
  RunOutput small((folder / "small").string());
  ASSERT_TRUE(small.IsOpen());
  small.Stream() << "a few bytes that stay in the buffer until the close\n";
  EXPECT_FALSE(small.Close());

  RunOutput large((folder / "large").string());
  ASSERT_TRUE(large.IsOpen());
  const std::string row(10001, '0');
  for (int i = 0; i < 100; ++i) large.Stream() << row;
  EXPECT_FALSE(large.Close());
}

}  // namespace
}  // namespace mirelda
