// The face areas between residues of one chain a few positions apart, gathered from the C and F files of
// many tessellations, and the statistics that turn them into reference areas by separation and letters.
#pragma once

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "brindel/contact_area_table.h"
#include "brindel/exchange/cell_lines.h"

namespace mirelda::trainer {

inline constexpr int FirstAreaSeparation = 2;
inline constexpr int LastAreaSeparation =
    FirstAreaSeparation + tessellation::ContactSeparationCount - 1;  // 6

// The C and F lines as the exchange library reads them.
using exchange::CellLine;
using exchange::FaceLine;

enum class AreaStatistic { Mean, Median };

struct AreaOptions {
  AreaStatistic statistic = AreaStatistic::Mean;
  bool missingFaceAsZero = false;  // pairs at the separation without a face count as area 0
};

// Reference areas by [separation - 2][letter][letter], letters in ContactLetters order.
using AreaTable = std::array<
    std::array<std::array<double, tessellation::ContactLetterCount>, tessellation::ContactLetterCount>,
    tessellation::ContactSeparationCount>;

class AreaSamples {
 public:
  // One tessellation: its cells (C file) and faces (F file). Each pair of residues of one chain at a
  // separation 2 .. 6 is taken once, with the area of the first face line that joins them.
  void AddTessellation(const std::vector<CellLine>& cells, const std::vector<FaceLine>& faces);

  // A statistic of the areas per separation and unordered letter pair. A pair never seen takes the
  // statistic of all pairs of its separation.
  AreaTable Table(const AreaOptions& options) const;
  long long FaceCount(int separation) const;

 private:
  struct Samples {
    std::vector<double> areas;  // faces
    long long withoutFace = 0;  // pairs at the separation that share no face
  };
  static int PairIndex(int a, int b);  // unordered pair of letter positions
  static constexpr int kPairCount = tessellation::ContactLetterCount * tessellation::ContactLetterCount;
  std::array<std::array<Samples, kPairCount>, tessellation::ContactSeparationCount> samples_{};
};

// The median of a set (the mean of the two middle values for an even count); 0 for an empty set.
double Median(std::vector<double> values);

}  // namespace mirelda::trainer
