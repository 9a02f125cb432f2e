// The contact file and the contact patterns built from it.
#include <gtest/gtest.h>

#include <sstream>

#include "attribution/contact_file.h"
#include "attribution/contact_matrix.h"
#include "attribution/contact_pattern.h"

using namespace mirelda::attribution;

namespace mirelda {
namespace {

ContactMatrix Read(const std::string& text) {
  std::istringstream in(text);
  return ReadContactMatrix(in);
}

// A matrix of n residues without contacts.
std::vector<std::string> EmptyRows(int n) {
  return std::vector<std::string>(static_cast<std::size_t>(n), std::string(static_cast<std::size_t>(n), '0'));
}

TEST(ContactFileReading, RowsLongerThanAFixedBufferStayWhole) {
  // A 2505-character buffer would split each row of a 3000-residue protein into two lines.
  constexpr int kResidues = 3000;
  std::string text;
  for (int r = 1; r <= kResidues; ++r) {
    std::string row(kResidues, '0');
    row[static_cast<std::size_t>(kResidues - r)] = '1';  // contact with residue N + 1 - r
    text += row + "\n";
  }
  const ContactMatrix matrix = Read(text);
  ASSERT_EQ(matrix.Size(), kResidues);
  EXPECT_TRUE(matrix.Contact(1, kResidues));
  EXPECT_TRUE(matrix.Contact(2, kResidues - 1));
  EXPECT_FALSE(matrix.Contact(1, 2505));
  EXPECT_TRUE(matrix.Contact(kResidues, 1));
}

TEST(ContactFileReading, CrLfLineEndsAreNotContacts) {
  const ContactMatrix matrix = Read("01\r\n10\r\n");
  ASSERT_EQ(matrix.Size(), 2);
  EXPECT_EQ(matrix.Cell(1, 2), '1');
  EXPECT_EQ(matrix.Cell(2, 2), '0');
}

TEST(ContactFileReading, OutsideTheMatrixOrBeyondAShortRowIsNoContact) {
  const ContactMatrix matrix = Read("0111\n1\n1101\n");
  ASSERT_EQ(matrix.Size(), 3);
  EXPECT_TRUE(matrix.Contact(1, 3));
  EXPECT_FALSE(matrix.Contact(1, 4));  // column beyond N
  EXPECT_FALSE(matrix.Contact(2, 2));  // beyond the short row
  EXPECT_EQ(matrix.Cell(2, 2), MissingCell);
  EXPECT_FALSE(matrix.Contact(0, 1));
  EXPECT_FALSE(matrix.Contact(4, 1));
  EXPECT_FALSE(matrix.Contact(3, 0));
}

TEST(ContactPatterns, TerminalPatternsReduceContactsAndMarkTheOutside) {
  std::vector<std::string> rows = EmptyRows(20);
  rows[0][2] = '2';  // residue 1 with residue 3: a strong contact
  rows[0][4] = '1';
  const ContactPattern pattern = BuildContactPattern(ContactMatrix(rows), 1);
  EXPECT_TRUE(pattern.terminal);
  EXPECT_EQ(pattern.text, "2222210100");
}

TEST(ContactPatterns, CentralPatternsKeepTheCharactersAsTheyStand) {
  std::vector<std::string> rows = EmptyRows(20);
  rows[9][3] = '2';   // residue 10 with residue 4 = i - 6
  rows[9][15] = '1';  // with residue 16 = i + 6
  rows[9][10] = '1';  // i + 1 is not part of the pattern
  const ContactPattern pattern = BuildContactPattern(ContactMatrix(rows), 10);
  EXPECT_FALSE(pattern.terminal);
  EXPECT_EQ(pattern.text, "2000000001");
}

TEST(ContactPatterns, ChainEndsAreTerminalAndShortProteinsAllTerminal) {
  EXPECT_TRUE(UsesTerminalTable(13, 6));
  EXPECT_FALSE(UsesTerminalTable(13, 7));
  EXPECT_TRUE(UsesTerminalTable(13, 8));
  for (int n : {1, 5, 12}) {
    for (int i = 1; i <= n; ++i) EXPECT_TRUE(UsesTerminalTable(n, i)) << n << " " << i;
  }
  EXPECT_EQ(BuildContactPattern(ContactMatrix(EmptyRows(1)), 1).text, "2222222222");
  EXPECT_EQ(BuildContactPattern(ContactMatrix(EmptyRows(5)), 3).text, "2222002222");
}

TEST(ContactPatterns, AShortRowEndsThePattern) {
  std::vector<std::string> rows = EmptyRows(13);
  rows[0] = "000";
  rows[6] = "00";
  const ContactMatrix matrix(rows);
  const ContactPattern terminal = BuildContactPattern(matrix, 1);
  EXPECT_EQ(terminal.text, "222220");
  EXPECT_FALSE(terminal.Complete());
  const ContactPattern central = BuildContactPattern(matrix, 7);
  EXPECT_EQ(central.text, "00");
  EXPECT_FALSE(central.terminal);
}

}  // namespace
}  // namespace mirelda
