// The main window's commands open in the order of the pipeline and a new protein closes them again.
#include "mirelda/workflow/main_window_state.h"

#include <gtest/gtest.h>

using namespace mirelda::workflow;

namespace mirelda {
namespace {

EnvironmentSummary Summary(bool withEnvironment, const char* points = "CA") {
  return {"1abc", "/app/1abc", points, 42, withEnvironment};
}

TEST(MainWindowState, EnvironmentStepOpensTessellationAndRelaxationOnlyWithEnvironment) {
  MainWindowState state;
  state.OpenProtein("/data/1abc.pdb");
  EXPECT_EQ(state.Title(), "Mirelda : /data/1abc.pdb");
  state.EnvironmentDone(Summary(false));
  EXPECT_TRUE(state.Commands().tessellation);
  EXPECT_TRUE(state.Commands().fileList);
  EXPECT_FALSE(state.Commands().relaxation);
  EXPECT_EQ(state.Labels().environment, "NO");
  state.EnvironmentDone(Summary(true));
  EXPECT_TRUE(state.Commands().relaxation);
  EXPECT_EQ(state.Labels().environment, "YES");
  EXPECT_EQ(state.Labels().aminoAcids, "42");
  EXPECT_EQ(state.Labels().name, "1abc");
  EXPECT_EQ(state.Labels().resultsFolder, "/app/1abc :");
  EXPECT_EQ(state.Labels().relaxations, "0") << "no relaxation yet is shown as none, not left blank";
  EXPECT_FALSE(state.Commands().matrix);
}

TEST(MainWindowState, AssignmentNeedsCaPointsEnvironmentAndEveryResidueInTheBulk) {
  MainWindowState state;
  state.EnvironmentDone(Summary(true));
  state.TessellationDone(true, 0);
  EXPECT_TRUE(state.Commands().assignment);
  EXPECT_TRUE(state.Commands().matrix);
  EXPECT_TRUE(state.Commands().visualization);
  EXPECT_TRUE(state.MainViewOn());
  EXPECT_EQ(state.Labels().ponderation, "YES");

  MainWindowState outside;
  outside.EnvironmentDone(Summary(true));
  outside.TessellationDone(false, 2);
  EXPECT_FALSE(outside.Commands().assignment);
  EXPECT_EQ(outside.Labels().notInBulk, "2");
  EXPECT_EQ(outside.Labels().ponderation, "NO");

  MainWindowState noEnvironment;
  noEnvironment.EnvironmentDone(Summary(false));
  noEnvironment.TessellationDone(false, 0);
  EXPECT_FALSE(noEnvironment.Commands().assignment);

  MainWindowState otherPoint;
  otherPoint.EnvironmentDone(Summary(true, "CB"));
  otherPoint.TessellationDone(false, 0);
  EXPECT_FALSE(otherPoint.Commands().assignment);

  // The comparison reads the shown values trimmed.
  MainWindowState padded;
  padded.EnvironmentDone(Summary(true, " CA "));
  padded.TessellationDone(false, 0);
  EXPECT_TRUE(padded.Commands().assignment);
}

TEST(MainWindowState, OpeningASecondProteinClosesEveryCommandAndClearsTheData) {
  MainWindowState state;
  state.OpenProtein("first.pdb");
  state.EnvironmentDone(Summary(true));
  state.RelaxationDone(std::string("9"), 0);
  state.TessellationDone(true, 0);
  state.OpenProtein("second.ent");
  const CommandStates& commands = state.Commands();
  EXPECT_FALSE(commands.relaxation || commands.tessellation || commands.matrix || commands.assignment ||
               commands.visualization);
  EXPECT_FALSE(state.MainViewOn());
  const DataLabels& labels = state.Labels();
  for (const std::string* label :
       {&labels.name, &labels.points, &labels.aminoAcids, &labels.environment, &labels.relaxations,
        &labels.ponderation, &labels.notInBulk, &labels.resultsFolder})
    EXPECT_TRUE(label->empty());
  EXPECT_EQ(state.Title(), "Mirelda : second.ent");
}

TEST(MainWindowState, ValidatingNoRelaxationKeepsTheCountAndClearsTheBulkCount) {
  MainWindowState state;
  state.RelaxationDone(std::string("9"), 3);
  state.RelaxationDone(std::nullopt, 0);
  EXPECT_EQ(state.Labels().relaxations, "9");
  EXPECT_EQ(state.Labels().notInBulk, "0");
}

}  // namespace
}  // namespace mirelda
