#include "mirelda/ui/sequence_plots.h"

#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QMouseEvent>
#include <QPainter>
#include <QScatterSeries>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QValueAxis>

#include "mirelda/results/property_colours.h"
#include "mirelda/results/results_table.h"
#include "mirelda/ui/qt_colours.h"
#include "mirelda/ui/result_export.h"

using namespace mirelda::results;

namespace mirelda::ui {
namespace {

constexpr std::array<std::pair<ProfileMeasure, const char*>, 4> kMeasures = {{
    {ProfileMeasure::Volume, "volume (A^3)"},
    {ProfileMeasure::Area, "area (A^2)"},
    {ProfileMeasure::Exposure, "exposure (%)"},
    {ProfileMeasure::FaceCount, "face count"},
}};
constexpr int kClassBandHeight = 14;  // pixels
const QColor kNotInBulkMarker(220, 30, 30);

// One measure of one chain; a press picks the residue nearest to the pointer along the sequence.
class ProfileView : public QChartView {
 public:
  ProfileView(QChart* chart, const ChainProfile& profile, std::function<void(int)> pick, QWidget* parent)
      : QChartView(chart, parent), profile_(profile), pick_(std::move(pick)) {
    setRenderHint(QPainter::Antialiasing);
    setMinimumHeight(140);
  }

 protected:
  void mousePressEvent(QMouseEvent* event) override {
    const QPointF value = chart()->mapToValue(mapToScene(event->position().toPoint()));
    const int row = NearestRow(profile_, value.x());
    if (row > 0 && pick_) pick_(row);
    QChartView::mousePressEvent(event);
  }

 private:
  const ChainProfile& profile_;
  std::function<void(int)> pick_;
};

// The classes under the last plot, each residue's colour at its place on that plot's axis.
class ClassBand : public QWidget {
 public:
  ClassBand(const ChainProfile& profile, QChartView* axisOf, QWidget* parent)
      : QWidget(parent), profile_(profile), axisOf_(axisOf) {
    setFixedHeight(kClassBandHeight);
    setToolTip("classes a, b, c (grey: none)");
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QChart* chart = axisOf_->chart();
    const QRectF plot = chart->plotArea();
    if (profile_.points.empty() || plot.width() <= 0) return;
    // One residue number's width on the axis, which runs half a number beyond each end.
    const double span = profile_.points.back().resSeq - profile_.points.front().resSeq + 1.0;
    const double step = plot.width() / std::max(span, 1.0);
    for (const ProfilePoint& point : profile_.points) {
      const QPointF at = axisOf_->mapFromScene(chart->mapToPosition(QPointF(point.resSeq, 0)));
      const workflow::GridColour colour =
          point.residueClass ? kClassColours[static_cast<std::size_t>(point.residueClass - 'a')] : kNoValueColour;
      painter.fillRect(QRectF(at.x() - step / 2, 0, std::max(step, 1.0), height()), ToQColor(colour));
    }
  }

 private:
  const ChainProfile& profile_;
  QChartView* axisOf_;
};

}  // namespace

SequencePlots::SequencePlots(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName("frmPlots");
  setWindowTitle("Plots along the sequence");
  tabs_ = new QTabWidget(this);
  tabs_->setObjectName("tabChains");
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(tabs_);
  resize(900, 760);
}

void SequencePlots::Update(const workflow::GridModel& tab1, const model::Residues& residues) {
  const int shown = tabs_->currentIndex();
  while (tabs_->count() > 0) {
    QWidget* page = tabs_->widget(0);
    tabs_->removeTab(0);
    delete page;
  }
  views_.clear();
  profiles_ = SequenceProfiles(tab1, residues);
  const bool withExposure = tab1.Cols() > workflow::kColumnExposure;
  for (const ChainProfile& profile : profiles_) {
    auto* page = new QWidget(tabs_);
    auto* column = new QVBoxLayout(page);
    column->setSpacing(0);
    std::array<QWidget*, 4> views{};
    QChartView* last = nullptr;
    for (std::size_t m = 0; m < kMeasures.size(); ++m) {
      const auto [measure, title] = kMeasures[m];
      auto* chart = new QChart;
      chart->legend()->hide();
      chart->setMargins(QMargins(4, 2, 4, 2));
      auto* line = new QLineSeries(chart);
      line->setName(title);
      auto* outside = new QScatterSeries(chart);
      outside->setName("not in the bulk");
      outside->setMarkerSize(7);
      outside->setColor(kNotInBulkMarker);
      outside->setBorderColor(kNotInBulkMarker);
      for (const ProfilePoint& point : profile.points) {
        const std::optional<double> value = MeasureOf(point, measure, withExposure);
        if (!value) continue;
        line->append(point.resSeq, *value);
        if (!point.inBulk) outside->append(point.resSeq, *value);
      }
      chart->addSeries(line);
      chart->addSeries(outside);
      auto* x = new QValueAxis(chart);
      auto* y = new QValueAxis(chart);
      if (!profile.points.empty())
        x->setRange(profile.points.front().resSeq - 0.5, profile.points.back().resSeq + 0.5);
      x->setLabelFormat("%d");
      y->setTitleText(title);
      chart->addAxis(x, Qt::AlignBottom);
      chart->addAxis(y, Qt::AlignLeft);
      for (QAbstractSeries* series : chart->series()) {
        series->attachAxis(x);
        series->attachAxis(y);
      }
      y->applyNiceNumbers();
      auto* view = new ProfileView(chart, profile, [this](int row) { if (onPick) onPick(row); }, page);
      view->setObjectName(QString("plot%1").arg(m));
      column->addWidget(view, 1);
      views[m] = view;
      last = view;
    }
    column->addWidget(new ClassBand(profile, last, page));
    views_.push_back(views);
    tabs_->addTab(page, QString("chain %1").arg(QString::fromStdString(profile.chain)));
  }
  if (shown >= 0 && shown < tabs_->count()) tabs_->setCurrentIndex(shown);
}

QWidget* SequencePlots::PlotView(int chain, ProfileMeasure measure) const {
  if (chain < 0 || chain >= static_cast<int>(views_.size())) return nullptr;
  return views_[static_cast<std::size_t>(chain)][static_cast<std::size_t>(measure)];
}

QImage SequencePlots::Picture() {
  QWidget* page = tabs_->currentWidget();
  return page != nullptr ? page->grab().toImage() : QImage();
}

std::string SequencePlots::WriteSvg(const std::filesystem::path& path) {
  QWidget* page = tabs_->currentWidget();
  if (page == nullptr) return "there are no plots to export";
  return DrawSvg(path, page->size(), windowTitle(), [page](QPainter& painter) { page->render(&painter); });
}

}  // namespace mirelda::ui
