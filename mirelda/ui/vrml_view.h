// The 3-D view: a VRML 2.0 scene file rendered by Coin into an OpenGL widget, with a headlight, sorted
// transparency and mouse navigation (left drag turns, right drag or wheel zooms, middle drag slides), and
// the display switch that blanks it. A scene opens fitted to the view; Home, F or the corner button fit
// it again. Problems of the last load (a missing Inline, a syntax error) are
// written over the view.
#pragma once

#include <Inventor/SbBox3f.h>

#include <QColor>
#include <QOpenGLFunctions>
#include <QOpenGLWidget>
#include <QString>
#include <utility>
#include <vector>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

class QLabel;
class SoDirectionalLight;
class SoPerspectiveCamera;
class SoRenderManager;
class SoRotation;
class SoSeparator;

namespace mirelda::ui {

class VrmlScene;

class VrmlView : public QOpenGLWidget {
 public:
  explicit VrmlView(QWidget* parent = nullptr);
  ~VrmlView() override;

  // Loads a scene file; returns false when nothing could be shown (the view then shows why). A scene
  // shown with problems (a missing Inline) returns true and shows them too.
  bool Load(const std::filesystem::path& file);
  // Shows nothing, as before any load.
  void Clear();
  // Back to the opening camera: the scene's viewpoint direction, the whole scene in view.
  void ResetView();
  // The display switch: when off the view is blank.
  void SetDisplayOn(bool on);
  bool DisplayOn() const { return displayOn_; }

  const std::filesystem::path& File() const { return file_; }
  // The problems of the last load, one a line ("" when none).
  const std::string& Problems() const { return problems_; }

  // For tests and snapshots: renders now and returns the picture.
  QImage Snapshot();
  // Renders the scene from the current camera into a picture of the given size, off the screen (not a
  // grab of the window); a null image when no GL context can be had.
  QImage Render(QSize size);

  // A legend over the view's bottom-left corner: a title, then a colour swatch and a label per line;
  // no title and no lines hide it.
  void SetLegend(const QString& title, const std::vector<std::pair<QColor, QString>>& entries);
  QLabel* Legend() const { return legendLabel_; }

  // The button that fits the scene again.
  QWidget* FitButton() const;

 protected:
  void initializeGL() override;
  void resizeGL(int width, int height) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void ShowProblems();
  void CameraMoved();
  // Clears the frame and draws the scene into the bound target, placing the camera first if asked.
  void DrawScene(QOpenGLFunctions& gl);
  void PlaceCameraNow();
  void PlaceOverlays();

  std::unique_ptr<SoRenderManager> renderer_;
  SoSeparator* root_ = nullptr;         // font, camera, headlight, then the scene
  SoSeparator* sceneHolder_ = nullptr;  // the loaded scene's root as its only child
  SoPerspectiveCamera* camera_ = nullptr;
  SoRotation* headlightTurn_ = nullptr;  // follows the camera's orientation
  QLabel* problemLabel_ = nullptr;
  QWidget* fitButton_ = nullptr;
  QLabel* legendLabel_ = nullptr;
  std::unique_ptr<VrmlScene> scene_;
  std::filesystem::path file_;
  std::string problems_;
  bool displayOn_ = true;
  bool glReady_ = false;
  bool placeCamera_ = false;  // the camera is placed at the first draw after a load, when the size is known
  uint32_t cacheContext_ = 0;
  QPoint lastPointer_;
  SbBox3f bounds_;  // of the loaded scene, for the clipping planes
};

}  // namespace mirelda::ui
