#include "tests/support/mmcif_copy.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace mirelda::testing {

bool ConvertToMmcif(const std::filesystem::path& pdb, const std::filesystem::path& target) {
  const bool gzipped = target.extension() == ".gz";
  const std::filesystem::path cif = gzipped ? std::filesystem::path(target).replace_extension() : target;
  std::string command = std::string("'") + MIRELDA_GEMMI_PROGRAM + "' convert --to=mmcif '" + pdb.string() +
                        "' '" + cif.string() + "'";
  if (gzipped) command += " && gzip -n -f '" + cif.string() + "'";
  const int status = std::system(command.c_str());
  EXPECT_EQ(status, 0) << command;
  EXPECT_TRUE(std::filesystem::exists(target)) << command;
  return status == 0 && std::filesystem::exists(target);
}

}  // namespace mirelda::testing
