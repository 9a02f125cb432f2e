// The plots along the sequence: a tab per chain holding the volume, the area, the exposure and the face
// count of its residues (Qt Charts), the residues not in the bulk marked, and the classes as a coloured
// band under the last axis. A click in a plot picks the residue nearest to it.
#pragma once

#include <QWidget>
#include <array>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "mirelda/model/residue_records.h"
#include "mirelda/results/sequence_profiles.h"
#include "mirelda/workflow/grid_model.h"

class QTabWidget;

namespace mirelda::ui {

class SequencePlots : public QWidget {
 public:
  explicit SequencePlots(QWidget* parent = nullptr);

  // Draws the profiles of the residue table afresh (a new tessellation, a new class column).
  void Update(const workflow::GridModel& tab1, const model::Residues& residues);
  // Called with the table row of the residue picked by a click.
  std::function<void(int tableRow)> onPick;

  // The plots of the shown chain as a picture, and as an SVG drawing; "" on success.
  QImage Picture();
  std::string WriteSvg(const std::filesystem::path& path);

  // For the tests: the chains shown and the plot view of a chain and measure.
  const std::vector<results::ChainProfile>& Profiles() const { return profiles_; }
  QTabWidget* Tabs() const { return tabs_; }
  QWidget* PlotView(int chain, results::ProfileMeasure measure) const;

 private:
  QTabWidget* tabs_;
  std::vector<results::ChainProfile> profiles_;
  std::vector<std::array<QWidget*, 4>> views_;
};

}  // namespace mirelda::ui
