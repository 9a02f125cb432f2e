// One protein through the whole pipeline, without windows, in the order and with the rules of the
// front-end: reading, environment, optional relaxation, tessellation, the cell and face readers, the
// assignment when the main window would offer it, and the composed scene with the table's default marks.
#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>

#include "mirelda/batch/batch_options.h"
#include "mirelda/protocol/console_run.h"
#include "mirelda/protocol/front_end_session.h"

namespace mirelda::batch {

// Where a run tells what it does: a line per step, a line per thing that went wrong without stopping
// it, and (when set) the console programs' output as it comes.
struct BatchReporter {
  std::function<void(std::string_view line)> progress;
  std::function<void(std::string_view line)> warning;
  protocol::ConsoleOutputHandler programOutput;
};

struct BatchRun {
  std::string failure;  // the step that stopped the run and why; empty when every step went through
  // What the main window would hold: the residues, the residue table (class column included), the
  // results folder.
  protocol::FrontEndSession session;
  bool assigned = false;     // the class column was added
  std::string noAssignment;  // otherwise, why the main window would not offer it
  int notInBulk = 0;         // after the tessellation

  bool Succeeded() const { return failure.empty(); }
};

// Runs the console programs of appFolder in appFolder, as the front-end does.
BatchRun RunBatch(const std::filesystem::path& appFolder, const BatchOptions& options,
                  const BatchReporter& reporter);

}  // namespace mirelda::batch
