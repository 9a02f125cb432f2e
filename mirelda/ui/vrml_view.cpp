#include "mirelda/ui/vrml_view.h"

#include <Inventor/SbTime.h>
#include <Inventor/SbViewportRegion.h>
#include <Inventor/SoDB.h>
#include <Inventor/SoRenderManager.h>
#include <Inventor/actions/SoGLRenderAction.h>
#include <Inventor/elements/SoGLCacheContextElement.h>
#include <Inventor/nodes/SoDirectionalLight.h>
#include <Inventor/nodes/SoFont.h>
#include <Inventor/nodes/SoPerspectiveCamera.h>
#include <Inventor/nodes/SoRotation.h>
#include <Inventor/nodes/SoSeparator.h>
#include <Inventor/nodes/SoTransformSeparator.h>
#include <Inventor/sensors/SoSensorManager.h>

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QPointer>
#include <QSurfaceFormat>
#include <QTimer>
#include <QKeyEvent>
#include <QOpenGLFramebufferObject>
#include <QToolButton>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

#include "mirelda/ui/scene_camera.h"
#include "mirelda/ui/vrml_scene.h"

namespace mirelda::ui {
namespace {

// The font of the labels: Coin 4.0 ignores FontStyle's family, and finds this one through fontconfig.
constexpr const char* kLabelFont = "DejaVu Sans";
constexpr float kWheelNotch = 120.0f;

// Runs Coin's sensor queues from Qt's event loop: the sensor manager says when its queues change, and one
// single-shot timer (for every view) fires when the next sensor is due.
void ScheduleSensors();

// The timer belongs to the application; after the application has gone (scene nodes freed at exit)
// there is nothing left to schedule.
QTimer* SensorTimer() {
  static QPointer<QTimer> timer;
  if (!timer && QCoreApplication::instance()) {
    timer = new QTimer(QCoreApplication::instance());
    timer->setSingleShot(true);
    QObject::connect(timer, &QTimer::timeout, [] {
      SoSensorManager* sensors = SoDB::getSensorManager();
      sensors->processDelayQueue(FALSE);
      sensors->processTimerQueue();
      ScheduleSensors();
    });
  }
  return timer;
}

void ScheduleSensors() {
  SoSensorManager* sensors = SoDB::getSensorManager();
  QTimer* timer = SensorTimer();
  if (!timer) return;
  SbTime due;
  if (sensors->isDelaySensorPending()) {
    timer->start(0);
  } else if (sensors->isTimerSensorPending(due)) {
    const double wait = (due - SbTime::getTimeOfDay()).getValue() * 1000.0;
    timer->start(std::max(0, static_cast<int>(wait)));
  }
}

void InitialiseCoin() {
  // Coin opens FreeType and fontconfig by the names of their -dev links unless told the runtime names.
  if (qEnvironmentVariableIsEmpty("COIN_FREETYPE2_LIBNAME"))
    qputenv("COIN_FREETYPE2_LIBNAME", "libfreetype.so.6");
  if (qEnvironmentVariableIsEmpty("COIN_FONTCONFIG_LIBNAME"))
    qputenv("COIN_FONTCONFIG_LIBNAME", "libfontconfig.so.1");
  SoDB::init();
  SoDB::getSensorManager()->setChangedCallback([](void*) { ScheduleSensors(); }, nullptr);
}

}  // namespace

VrmlView::VrmlView(QWidget* parent) : QOpenGLWidget(parent) {
  InitialiseCoin();
  // Coin draws with the fixed-function pipeline: a core profile context renders nothing.
  QSurfaceFormat format = QSurfaceFormat::defaultFormat();
  format.setProfile(QSurfaceFormat::CompatibilityProfile);
  format.setDepthBufferSize(24);
  setFormat(format);
  setMinimumSize(100, 100);

  root_ = new SoSeparator;
  root_->ref();
  auto* font = new SoFont;
  font->name = kLabelFont;
  root_->addChild(font);
  camera_ = new SoPerspectiveCamera;
  root_->addChild(camera_);
  auto* headlight = new SoTransformSeparator;
  headlightTurn_ = new SoRotation;
  headlight->addChild(headlightTurn_);
  auto* light = new SoDirectionalLight;
  light->direction = SbVec3f(0.0f, 0.0f, -1.0f);
  headlight->addChild(light);
  root_->addChild(headlight);
  sceneHolder_ = new SoSeparator;
  root_->addChild(sceneHolder_);

  renderer_ = std::make_unique<SoRenderManager>();
  renderer_->setSceneGraph(root_);
  // Black, as VRML browsers show a scene without a Background; opaque, or the window shows through.
  renderer_->setBackgroundColor(SbColor4f(0.0f, 0.0f, 0.0f, 1.0f));
  // The planes are fitted to the scene at each draw (Coin's own fitting missed a camera placed by hand).
  renderer_->setAutoClipping(SoRenderManager::NO_AUTO_CLIPPING);
  renderer_->getGLRenderAction()->setTransparencyType(SoGLRenderAction::SORTED_OBJECT_BLEND);
  renderer_->setRenderCallback([](void* self, SoRenderManager*) { static_cast<VrmlView*>(self)->update(); },
                               this);

  problemLabel_ = new QLabel(this);
  problemLabel_->setObjectName("lblProblems");
  problemLabel_->setWordWrap(true);
  problemLabel_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  problemLabel_->setStyleSheet("QLabel { background: #fff4c0; color: black; padding: 4px; }");
  problemLabel_->hide();

  setFocusPolicy(Qt::StrongFocus);  // Home and F reach it
  auto* fit = new QToolButton(this);
  fit->setObjectName("cmdFitView");
  fit->setText("Fit");
  fit->setToolTip("Fit the scene to the view (Home)");
  fit->setFocusPolicy(Qt::NoFocus);
  connect(fit, &QToolButton::clicked, this, [this] { ResetView(); });
  fitButton_ = fit;
  legendLabel_ = new QLabel(this);
  legendLabel_->setObjectName("lblLegend");
  legendLabel_->setStyleSheet("QLabel { background: rgba(255, 255, 255, 220); color: black; padding: 4px; }");
  legendLabel_->hide();
}

void VrmlView::SetLegend(const QString& title, const std::vector<std::pair<QColor, QString>>& entries) {
  if (title.isEmpty() && entries.empty()) {
    legendLabel_->clear();
    legendLabel_->hide();
    return;
  }
  QString html = "<b>" + title.toHtmlEscaped() + "</b><table cellspacing=\"2\">";
  for (const auto& [colour, label] : entries)
    html += QString("<tr><td bgcolor=\"%1\" width=\"16\">&nbsp;</td><td>%2</td></tr>")
                .arg(colour.name(), label.toHtmlEscaped());
  legendLabel_->setText(html + "</table>");
  legendLabel_->adjustSize();
  legendLabel_->show();
  PlaceOverlays();
}

void VrmlView::PlaceOverlays() {
  fitButton_->adjustSize();
  fitButton_->move(std::max(0, width() - fitButton_->width() - 4), std::max(0, height() - fitButton_->height() - 4));
  legendLabel_->move(4, std::max(0, height() - legendLabel_->height() - 4));
}

QWidget* VrmlView::FitButton() const { return fitButton_; }

void VrmlView::Clear() {
  file_.clear();
  problems_.clear();
  sceneHolder_->removeAllChildren();
  scene_.reset();
  placeCamera_ = false;
  ShowProblems();
  update();
}

void VrmlView::ResetView() {
  if (!scene_ || !scene_->Root()) return;
  placeCamera_ = true;
  update();
}

void VrmlView::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Home || event->key() == Qt::Key_F) {
    ResetView();
    event->accept();
    return;
  }
  QOpenGLWidget::keyPressEvent(event);
}

VrmlView::~VrmlView() {
  makeCurrent();
  renderer_.reset();
  root_->unref();
  scene_.reset();
  doneCurrent();
}

bool VrmlView::Load(const std::filesystem::path& file) {
  file_ = file;
  auto scene = std::make_unique<VrmlScene>(LoadVrmlScene(file));
  problems_.clear();
  for (const std::string& problem : scene->Problems()) problems_ += (problems_.empty() ? "" : "\n") + problem;
  sceneHolder_->removeAllChildren();
  const bool shown = scene->Root() != nullptr;
  if (shown) sceneHolder_->addChild(scene->Root());
  scene_ = std::move(scene);
  placeCamera_ = shown;
  ShowProblems();
  update();
  return shown;
}

void VrmlView::SetDisplayOn(bool on) {
  displayOn_ = on;
  ShowProblems();
  update();
}

void VrmlView::ShowProblems() {
  const bool show = displayOn_ && !problems_.empty();
  problemLabel_->setText(QString::fromStdString(problems_));
  problemLabel_->setVisible(show);
  if (show) {
    problemLabel_->setFixedWidth(width());
    problemLabel_->adjustSize();
    problemLabel_->move(0, 0);
  }
}

void VrmlView::initializeGL() {
  cacheContext_ = SoGLCacheContextElement::getUniqueCacheContext();
  renderer_->getGLRenderAction()->setCacheContext(cacheContext_);
  glReady_ = true;
}

void VrmlView::resizeGL(int width, int height) {
  const qreal ratio = devicePixelRatioF();
  const SbVec2s size(static_cast<short>(width * ratio), static_cast<short>(height * ratio));
  renderer_->setWindowSize(size);
  renderer_->setSize(size);
  renderer_->setViewportRegion(SbViewportRegion(size));
  PlaceOverlays();
  ShowProblems();
}

void VrmlView::paintGL() { DrawScene(*context()->functions()); }

void VrmlView::DrawScene(QOpenGLFunctions& gl) {
  gl.glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
  gl.glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  if (!displayOn_ || !scene_ || !scene_->Root()) return;
  if (placeCamera_) PlaceCameraNow();
  FitClippingPlanes(*camera_, bounds_);
  // Coin leaves the depth test as it finds it.
  gl.glEnable(GL_DEPTH_TEST);
  renderer_->render(TRUE, TRUE);
}

void VrmlView::PlaceCameraNow() {
  PlaceCamera(*camera_, sceneHolder_, scene_->Viewpoint(), renderer_->getViewportRegion());
  // The viewpoint gives the direction; the scene fills the view whatever its distance.
  camera_->viewAll(sceneHolder_, renderer_->getViewportRegion());
  bounds_ = SceneBounds(sceneHolder_, renderer_->getViewportRegion());
  placeCamera_ = false;
  CameraMoved();
}

void VrmlView::CameraMoved() {
  headlightTurn_->rotation = camera_->orientation.getValue();
  update();
}

QImage VrmlView::Snapshot() { return grabFramebuffer(); }

QImage VrmlView::Render(QSize size) {
  if (size.isEmpty()) return {};
  // The widget's own context, whose GL caches stay valid, draws the scene once more into a framebuffer
  // object of the asked size.
  if (!glReady_) return {};
  makeCurrent();
  QOpenGLContext* gl = context();
  if (gl == nullptr) return {};
  QOpenGLFramebufferObjectFormat format;
  format.setAttachment(QOpenGLFramebufferObject::CombinedDepthStencil);
  QOpenGLFramebufferObject target(size, format);
  if (!target.isValid() || !target.bind()) {
    doneCurrent();
    return {};
  }
  const SbViewportRegion widgetRegion = renderer_->getViewportRegion();
  const SbVec2s widgetSize = renderer_->getWindowSize();
  const SbVec2s pictureSize(static_cast<short>(size.width()), static_cast<short>(size.height()));
  renderer_->setWindowSize(pictureSize);
  renderer_->setSize(pictureSize);
  renderer_->setViewportRegion(SbViewportRegion(pictureSize));
  gl->functions()->glViewport(0, 0, size.width(), size.height());
  DrawScene(*gl->functions());
  QImage picture = target.toImage(false);
  target.release();
  renderer_->setWindowSize(widgetSize);
  renderer_->setSize(widgetSize);
  renderer_->setViewportRegion(widgetRegion);
  doneCurrent();
  update();
  return picture.convertToFormat(QImage::Format_RGB32);
}

void VrmlView::mousePressEvent(QMouseEvent* event) { lastPointer_ = event->position().toPoint(); }

void VrmlView::mouseMoveEvent(QMouseEvent* event) {
  const QPoint pointer = event->position().toPoint();
  const QPoint delta = pointer - lastPointer_;
  lastPointer_ = pointer;
  if (!scene_ || !displayOn_) return;
  const float dx = static_cast<float>(delta.x());
  const float dy = static_cast<float>(delta.y());
  if (event->buttons() & Qt::LeftButton) {
    OrbitCamera(*camera_, dx, dy);
  } else if (event->buttons() & Qt::RightButton) {
    ZoomCamera(*camera_, std::pow(kZoomPerPixel, dy));
  } else if (event->buttons() & Qt::MiddleButton) {
    PanCamera(*camera_, dx, dy, height());
  } else {
    return;
  }
  CameraMoved();
}

void VrmlView::mouseReleaseEvent(QMouseEvent* /*event*/) {}

void VrmlView::wheelEvent(QWheelEvent* event) {
  if (!scene_ || !displayOn_) return;
  const float notches = static_cast<float>(event->angleDelta().y()) / kWheelNotch;
  ZoomCamera(*camera_, std::pow(kZoomPerNotch, notches));
  CameraMoved();
}

}  // namespace mirelda::ui
