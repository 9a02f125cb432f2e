// The widget-free parts of the front-end's platform: the progress window's terminal rules, the chooser's
// filter, the VRML scene reading with its Inline files, and the camera's navigation.
#include <Inventor/SoDB.h>
#include <Inventor/VRMLnodes/SoVRMLViewpoint.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoSeparator.h>
#include <gtest/gtest.h>

#include <filesystem>

#include "mirelda/ui/console_screen.h"
#include "mirelda/ui/file_filter.h"
#include "mirelda/ui/scene_camera.h"
#include "mirelda/ui/vrml_scene.h"
#include "mirelda/workflow/main_window_state.h"
#include "mirelda/workflow/protein_files.h"
#include "tests/frontend_gui/cell_scene.h"
#include "tests/support/scratch_folder.h"
#include "tests/support/test_paths.h"

using namespace mirelda::workflow;
using namespace mirelda::ui;

namespace mirelda {
namespace {

using testing::ScratchFolder;
using testing::WriteFileText;

TEST(ConsoleScreen, BackspacesAndReturnsRewriteTheLineBeingWritten) {
  ConsoleScreen screen;
  // The relaxation's counter: 21 backspaces, then the next 21 characters over the last ones.
  const std::string back(21, '\b');
  EXPECT_EQ(screen.Feed("1abc : tessellation on 90 points\n\n" + back + " 1/10 please wait ..."),
            (std::vector<std::string>{"1abc : tessellation on 90 points", ""}));
  screen.Feed(back + " 2/10 please wait ...");
  EXPECT_EQ(screen.CurrentLine(), " 2/10 please wait ...");
  screen.Feed(back + back + "X");  // never past the start of the line
  EXPECT_EQ(screen.CurrentLine(), "X2/10 please wait ...");
  // A CR LF split between two pieces still ends one line.
  EXPECT_EQ(screen.Feed("\r"), std::vector<std::string>{});
  EXPECT_EQ(screen.Feed("\nnext\nlast"), (std::vector<std::string>{"X2/10 please wait ...", "next"}));
  EXPECT_EQ(screen.CurrentLine(), "last");
}

TEST(FileFilter, ProteinFilterInQtSyntaxWithAllFilesForEveryName) {
  EXPECT_EQ(QtFileFilter(kProteinFileFilter),
            "protein files (*.pdb *.ent *.cif *.mmcif *.pdb.gz *.ent.gz *.cif.gz *.mmcif.gz);;"
            "PDB (*.pdb *.ent *.pdb.gz *.ent.gz);;mmCIF (*.cif *.mmcif *.cif.gz *.mmcif.gz);;all files (*)");
  // The first choice shows every file the reader reads, plain or gzipped.
  const std::string filter = QtFileFilter(kProteinFileFilter);
  std::string first(1, ' ');  // its patterns, each between blanks
  first.append(filter, filter.find('(') + 1, filter.find(')') - filter.find('(') - 1).push_back(' ');
  for (const std::string_view extension : kProteinFileExtensions)
    for (const std::string_view suffix : {"", ".gz"}) {
      std::string pattern(" *");
      pattern.append(extension).append(suffix).push_back(' ');
      EXPECT_NE(first.find(pattern), std::string::npos) << pattern;
    }
  // The results' names have no dot ("C1abc"): the list's "*.*" must still show them.
  EXPECT_EQ(QtNamePattern("*.*"), "*");
  EXPECT_EQ(QtNamePattern("montoto.x"), "montoto.x");
}

// A node the scene's files named with DEF: a name is known only once a file that defines it was read.
SoNode* NamedNode(const char* name) { return SoNode::getByName(name); }

// The application folder holds its own view.wrl and trace.wrl: an Inline of a results folder's scene must
// read the results folder's file, whatever the current folder.
TEST(VrmlScene, InlinesResolveFromTheIncludingFilesFolderNotTheCurrentOne) {
  ScratchFolder app;
  std::filesystem::create_directories(app / "1abc" / "sub");
  WriteFileText(app / "view.wrl", "#VRML V2.0 utf8\nViewpoint {position 1 1 1}\nDEF WRONG Group {}\n");
  WriteFileText(app / "1abc" / "view.wrl",
                "#VRML V2.0 utf8\nViewpoint {position 7 8 9}\nDEF RIGHT Group {}\n");
  WriteFileText(app / "1abc" / "sub" / "part.wrl",
                "#VRML V2.0 utf8\nDEF NESTED Group {}\nInline {url \"../view.wrl\"}\n");
  WriteFileText(app / "1abc" / "scene.wrl",
                "#VRML V2.0 utf8\nInline {url \"sub/part.wrl\"}\nViewpoint {position 0 0 5}\n");
  const std::filesystem::path previous = std::filesystem::current_path();
  std::filesystem::current_path(app.Path());
  VrmlScene scene = LoadVrmlScene(app / "1abc" / "scene.wrl");
  std::filesystem::current_path(previous);

  ASSERT_NE(scene.Root(), nullptr);
  EXPECT_TRUE(scene.Problems().empty()) << scene.Problems().front();
  EXPECT_NE(NamedNode("NESTED"), nullptr);
  EXPECT_NE(NamedNode("RIGHT"), nullptr);
  EXPECT_EQ(NamedNode("WRONG"), nullptr);
  // The first viewpoint in the file's order is the one read in place of the first Inline.
  ASSERT_TRUE(scene.Viewpoint().has_value());
  EXPECT_EQ(scene.Viewpoint()->position, SbVec3f(7, 8, 9));
}

TEST(VrmlScene, MissingInlineIsReportedAndTheRestShown) {
  ScratchFolder folder;
  WriteFileText(folder / "scene.wrl", "#VRML V2.0 utf8\nInline {url \"view.wrl\"}\nDEF REST Group {}\n");
  VrmlScene scene = LoadVrmlScene(folder / "scene.wrl");
  ASSERT_NE(scene.Root(), nullptr);
  EXPECT_NE(NamedNode("REST"), nullptr);
  ASSERT_EQ(scene.Problems().size(), 1u);
  EXPECT_NE(scene.Problems()[0].find("missing Inline file \"view.wrl\""), std::string::npos);
  EXPECT_NE(scene.Problems()[0].find((folder / "view.wrl").string()), std::string::npos);
  EXPECT_FALSE(scene.Viewpoint().has_value());
}

TEST(VrmlScene, SyntaxErrorAndSelfInclusionAreReported) {
  ScratchFolder folder;
  WriteFileText(folder / "bad.wrl", "#VRML V2.0 utf8\nShape { geometry Box { size 1 1 } \n");
  VrmlScene bad = LoadVrmlScene(folder / "bad.wrl");
  EXPECT_EQ(bad.Root(), nullptr);
  ASSERT_FALSE(bad.Problems().empty());
  EXPECT_EQ(bad.Problems()[0].rfind("syntax error in " + (folder / "bad.wrl").string(), 0), 0u);

  // A file that includes itself ends at the depth limit instead of recursing without end.
  WriteFileText(folder / "loop.wrl", "#VRML V2.0 utf8\nInline {url \"loop.wrl\"}\n");
  VrmlScene loop = LoadVrmlScene(folder / "loop.wrl");
  ASSERT_NE(loop.Root(), nullptr);
  ASSERT_EQ(loop.Problems().size(), 1u);
  EXPECT_NE(loop.Problems()[0].find("nested too deeply"), std::string::npos);

  EXPECT_EQ(LoadVrmlScene(folder / "absent.wrl").Problems().at(0),
            "cannot open " + (folder / "absent.wrl").string());
}

// Where a world point appears to the camera: x to the right, y up.
SbVec2f SeenAt(const SoPerspectiveCamera& camera, const SbVec3f& point) {
  SbVec3f right, up;
  camera.orientation.getValue().multVec(SbVec3f(1, 0, 0), right);
  camera.orientation.getValue().multVec(SbVec3f(0, 1, 0), up);
  const SbVec3f offset = point - camera.position.getValue();
  return SbVec2f(offset.dot(right), offset.dot(up));
}

TEST(SceneCamera, ViewpointPlacesTheCameraAndNavigationKeepsItsFocalPoint) {
  ScratchFolder folder;
  VrmlScene scene = LoadVrmlScene(testing::WriteCellScene(folder.Path()));
  ASSERT_NE(scene.Root(), nullptr);
  SoPerspectiveCamera* camera = new SoPerspectiveCamera;
  camera->ref();
  const SbViewportRegion viewport(400, 300);
  PlaceCamera(*camera, scene.Root(), scene.Viewpoint(), viewport);
  EXPECT_EQ(camera->position.getValue(), SbVec3f(5, 0, 40));
  // The boxes' centre (5, 0, 0) lies 40 ahead along -z.
  EXPECT_NEAR(camera->focalDistance.getValue(), 40.0f, 1e-3f);
  const SbVec3f focal = FocalPoint(*camera);

  // The scene follows the pointer: the side facing the camera moves right on a drag to the right, down on
  // a drag down; a slide moves the focal point with the pointer.
  const SbVec3f front = focal + SbVec3f(0, 0, 6);
  OrbitCamera(*camera, 20.0f, 0.0f);
  EXPECT_GT(SeenAt(*camera, front)[0], 0.5f);
  OrbitCamera(*camera, -20.0f, 20.0f);
  EXPECT_LT(SeenAt(*camera, front)[1], -0.5f);
  PanCamera(*camera, 10.0f, 0.0f, 300);
  EXPECT_GT(SeenAt(*camera, focal)[0], 0.1f);
  PanCamera(*camera, -10.0f, 0.0f, 300);

  OrbitCamera(*camera, 120.0f, -45.0f);
  EXPECT_LT((FocalPoint(*camera) - focal).length(), 1e-3f);
  EXPECT_NEAR((camera->position.getValue() - focal).length(), 40.0f, 1e-3f);
  EXPECT_GT((camera->position.getValue() - SbVec3f(5, 0, 40)).length(), 1.0f);

  ZoomCamera(*camera, 0.5f);
  EXPECT_NEAR((camera->position.getValue() - focal).length(), 20.0f, 1e-3f);
  ZoomCamera(*camera, 0.0f);  // never through the focal point
  EXPECT_GE(camera->focalDistance.getValue(), kMinFocalDistance);

  // Without a viewpoint the whole scene is framed.
  WriteFileText(folder / "plain.wrl", "#VRML V2.0 utf8\nShape { geometry Box {} }\n");
  VrmlScene plain = LoadVrmlScene(folder / "plain.wrl");
  PlaceCamera(*camera, plain.Root(), plain.Viewpoint(), viewport);
  EXPECT_GT(camera->position.getValue()[2], 1.0f);
  camera->unref();
}

}  // namespace
}  // namespace mirelda
