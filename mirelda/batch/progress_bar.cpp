#include "mirelda/batch/progress_bar.h"

#include "brindel/exchange/fixed_format.h"

namespace mirelda::batch {
namespace {

constexpr std::size_t kBarCells = 24;
constexpr std::size_t kTerminalWidth = 79;  // a narrower terminal wraps the line; the bar still ends it
constexpr const char* kClearLine = "\r\x1b[K";

}  // namespace

std::string ProgressBarLine(int finished, int total, int done, int skipped, int failed,
                            const std::set<std::string>& running, std::size_t width) {
  const std::size_t filled =
      total > 0 ? kBarCells * static_cast<std::size_t>(finished) / static_cast<std::size_t>(total)
                : kBarCells;
  std::string line(1, '[');
  line.append(filled, '=').append(kBarCells - filled, ' ').append("] ");
  line.append(std::to_string(finished)).append("/").append(std::to_string(total));
  line.append("  ").append(std::to_string(done)).append(" done  ").append(std::to_string(skipped));
  line.append(" skipped  ").append(std::to_string(failed)).append(" failed");
  if (!running.empty()) {
    line.append("  running:");
    for (const std::string& stem : running) line.append(" ").append(stem);
  }
  if (line.size() > width) {
    line.resize(width >= 3 ? width - 3 : 0);
    line.append("...");
  }
  return line;
}

std::string ProteinLine(const SummaryRow& row) {
  std::string line = row.stem + " " + row.status + ": ";
  if (row.status == SummaryRow::kDone) {
    line += std::to_string(row.residues.value_or(0)) + " residues, " +
            std::to_string(row.problems.value_or(0)) + " problems, " + exchange::Fixed(row.seconds, 0, 1) +
            " s";
  } else {
    line += row.message;
  }
  return line;
}

ProgressDisplay::ProgressDisplay(ProgressStyle style, int total, std::ostream& out)
    : style_(style), total_(total), out_(out) {}

void ProgressDisplay::Started(const std::string& stem) {
  running_.insert(stem);
  if (style_ == ProgressStyle::Bar) Draw();
}

void ProgressDisplay::Finished(const SummaryRow& row) {
  running_.erase(row.stem);
  ++finished_;
  if (row.status == SummaryRow::kDone) ++done_;
  if (row.status == SummaryRow::kSkipped) ++skipped_;
  if (row.Failed()) ++failed_;
  if (style_ == ProgressStyle::Lines || row.Failed())
    Print(std::string(1, '[')
              .append(std::to_string(finished_))
              .append("/")
              .append(std::to_string(total_))
              .append("] ")
              .append(ProteinLine(row)));
  if (style_ == ProgressStyle::Bar) Draw();
}

void ProgressDisplay::Close() {
  if (drawn_) out_ << '\n' << std::flush;
  drawn_ = false;
  style_ = style_ == ProgressStyle::Bar ? ProgressStyle::Lines : style_;
}

void ProgressDisplay::Draw() {
  out_ << kClearLine << ProgressBarLine(finished_, total_, done_, skipped_, failed_, running_, kTerminalWidth)
       << std::flush;
  drawn_ = true;
}

void ProgressDisplay::Print(const std::string& line) {
  if (drawn_) out_ << kClearLine;
  out_ << "mirelda-batch: " << line << '\n' << std::flush;
  drawn_ = false;
}

}  // namespace mirelda::batch
