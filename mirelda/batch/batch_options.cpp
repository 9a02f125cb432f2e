#include "mirelda/batch/batch_options.h"

#include <algorithm>

#include "brindel/exchange/option_files.h"
#include "mirelda/model/decimal_text.h"
#include "mirelda/workflow/environment_dialog.h"
#include "mirelda/workflow/option_writers.h"
#include "mirelda/workflow/relaxation_dialog.h"

using namespace mirelda::exchange;
using namespace mirelda::model;
using namespace mirelda::workflow;

namespace mirelda::batch {
namespace {

// How many proteins may run side by side: each run is a few processes, so more would only queue.
constexpr int kMaxJobs = 64;

// The dialog's own words for a name that is not four characters.
constexpr const char* kNameMessage = "You must enter a name (4 characters) for the output files";

// A number as the dialogs' boxes let it be typed: digits with at most one '.' or ',' (the key filters
// admit nothing else), from 0 to the box's maximum. The dialogs cap a larger value silently; a command
// line says so instead. Returns the value as the point files carry it ("6.5").
std::optional<std::string> DecimalOption(std::string_view text, double maximum, std::string_view what,
                                         std::string& error) {
  const bool digitsAndOneSeparator =
      std::ranges::count_if(text, [](char c) { return c >= '0' && c <= '9'; }) > 0 &&
      std::ranges::all_of(text, [](char c) { return (c >= '0' && c <= '9') || c == '.' || c == ','; }) &&
      std::ranges::count_if(text, [](char c) { return c == '.' || c == ','; }) <= 1;
  const double value = digitsAndOneSeparator ? ParseDecimal(text) : -1.0;
  if (!digitsAndOneSeparator || value > maximum) {
    error = "the " + std::string(what) + " must be a number from 0 to " + OptionNumberText(maximum) +
            ", not \"" + std::string(text) + "\"";
    return std::nullopt;
  }
  return OptionNumberText(value);
}

std::optional<int> RelaxationOption(std::string_view text, std::string& error) {
  const bool digits = !text.empty() && text.size() <= 2 &&
                      std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
  const int value = digits ? std::stoi(std::string(text)) : -1;
  if (!digits || value > kMaxRelaxations) {
    error = "the number of relaxations must be a whole number from 0 to " + std::to_string(kMaxRelaxations) +
            ", not \"" + std::string(text) + "\"";
    return std::nullopt;
  }
  return value;
}

std::optional<int> JobsOption(std::string_view text, std::string& error) {
  const bool digits = !text.empty() && text.size() <= 2 &&
                      std::ranges::all_of(text, [](char c) { return c >= '0' && c <= '9'; });
  const int value = digits ? std::stoi(std::string(text)) : 0;
  if (value < 1 || value > kMaxJobs) {
    error = "-j must be a whole number from 1 to " + std::to_string(kMaxJobs) + ", not \"" +
            std::string(text) + "\"";
    return std::nullopt;
  }
  return value;
}

ParsedCommandLine Refused(std::string error) {
  ParsedCommandLine parsed;
  parsed.error = std::move(error);
  return parsed;
}

}  // namespace

ParsedCommandLine ParseBatchCommandLine(const std::vector<std::string_view>& arguments) {
  BatchOptions options;
  std::vector<std::string_view> positional;
  std::string error;
  std::string manyOnly;  // the first option that only the form with --out takes
  bool optionsEnded = false;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (optionsEnded || argument.size() < 2 || argument[0] != '-') {
      positional.push_back(argument);
      continue;
    }
    if (argument == "--") {
      optionsEnded = true;
      continue;
    }
    if (argument == "-h" || argument == "--help" || argument == "--version") {
      ParsedCommandLine parsed;
      (argument == "--version" ? parsed.version : parsed.help) = true;
      return parsed;
    }
    // "--key value" or "--key=value" ("-j N" or "-jN").
    std::string_view key = argument;
    std::optional<std::string_view> inlineValue;
    if (const auto equals = argument.find('='); equals != std::string_view::npos) {
      key = argument.substr(0, equals);
      inlineValue = argument.substr(equals + 1);
    } else if (argument.starts_with("-j") && argument.size() > 2) {
      key = argument.substr(0, 2);
      inlineValue = argument.substr(2);
    }
    const auto value = [&]() -> std::optional<std::string_view> {
      if (inlineValue) return inlineValue;
      if (i + 1 < arguments.size()) return arguments[++i];
      error = std::string(key) + " needs a value";
      return std::nullopt;
    };
    const auto flag = [&](bool& target, bool setting) {
      if (inlineValue) {
        error = std::string(key) + " takes no value";
        return false;
      }
      target = setting;
      return true;
    };

    if (key == "--point") {
      const auto text = value();
      if (!text) return Refused(error);
      const std::vector<std::string> choices = PointChoices(false);
      if (std::ranges::find(choices, *text) == choices.end())
        return Refused("the point must be one of CA, CB, CG1, CG2, CG3, not \"" + std::string(*text) + "\"");
      options.point = *text;
    } else if (key == "--radius" || key == "--thickness") {
      const bool radius = key == "--radius";
      const auto text = value();
      if (!text) return Refused(error);
      const auto number = DecimalOption(*text, radius ? kRadiusLimits.maximum : kThicknessLimits.maximum,
                                        radius ? "radius" : "thickness", error);
      if (!number) return Refused(error);
      (radius ? options.radiusText : options.thicknessText) = *number;
    } else if (key == "--relaxations") {
      const auto text = value();
      if (!text) return Refused(error);
      const auto count = RelaxationOption(*text, error);
      if (!count) return Refused(error);
      options.relaxations = *count;
    } else if (key == "--no-environment") {
      if (!flag(options.withEnvironment, false)) return Refused(error);
    } else if (key == "--weights") {
      if (!flag(options.weighted, true)) return Refused(error);
    } else if (key == "--modified") {
      if (!flag(options.modified, true)) return Refused(error);
    } else if (key == "--renumber") {
      if (!flag(options.renumber, true)) return Refused(error);
    } else if (key == "--bfactor") {
      const auto text = value();
      if (!text) return Refused(error);
      if (*text == "exposure")
        options.bfactor = BfactorColumn::Exposure;
      else if (*text == "volume")
        options.bfactor = BfactorColumn::Volume;
      else if (*text == "class")
        options.bfactor = BfactorColumn::Class;
      else
        return Refused("--bfactor must be exposure, volume or class, not \"" + std::string(*text) + "\"");
    } else if (key == "--verbose") {
      if (!flag(options.verbose, true)) return Refused(error);
    } else if (key == "--chain") {
      const auto text = value();
      if (!text) return Refused(error);
      if (text->size() != 1 || (*text)[0] == ' ')
        return Refused("the chain must be one character, as the PDB format's chain column holds it, not \"" +
                       std::string(*text) + "\"");
      options.chain = (*text)[0];
    } else if (key == "--out") {
      const auto text = value();
      if (!text) return Refused(error);
      if (text->empty()) return Refused("--out needs a folder");
      options.outFolder = *text;
    } else if (key == "--summary") {
      const auto text = value();
      if (!text) return Refused(error);
      if (text->empty()) return Refused("--summary needs a file");
      options.summaryFile = *text;
      if (manyOnly.empty()) manyOnly = key;
    } else if (key == "-j" || key == "--jobs") {
      const auto text = value();
      if (!text) return Refused(error);
      const auto jobs = JobsOption(*text, error);
      if (!jobs) return Refused(error);
      options.jobs = *jobs;
      if (manyOnly.empty()) manyOnly = key;
    } else if (key == "--quiet" || key == "--force") {
      if (!flag(key == "--quiet" ? options.quiet : options.force, true)) return Refused(error);
      if (manyOnly.empty()) manyOnly = key;
    } else {
      return Refused("unknown option " + std::string(argument));
    }
  }

  const bool relaxationsWithoutEnvironment = options.relaxations > 0 && !options.withEnvironment;
  constexpr const char* kRelaxationsMessage =
      "relaxations need the environment: --relaxations and --no-environment exclude each other";
  if (!options.outFolder.empty()) {
    if (positional.empty()) return Refused("expected one protein file or more after the options");
    if (relaxationsWithoutEnvironment) return Refused(kRelaxationsMessage);
    options.proteinFiles.assign(positional.begin(), positional.end());
    ParsedCommandLine parsed;
    parsed.options = std::move(options);
    return parsed;
  }
  if (!manyOnly.empty()) return Refused(manyOnly + " needs --out: it is an option of many proteins at once");
  if (positional.size() != 2)
    return Refused("expected a protein file and a name, got " + std::to_string(positional.size()) +
                   (positional.size() == 1 ? " argument" : " arguments"));
  options.proteinFile = positional[0];
  options.proteinName = positional[1];
  if (!IsValidProteinName(options.proteinName))
    return Refused(std::string(kNameMessage) + ": \"" + options.proteinName +
                   "\" is not 4 letters or digits");
  // The relaxation moves environment points: the front-end offers it only after an environment step.
  if (relaxationsWithoutEnvironment) return Refused(kRelaxationsMessage);

  ParsedCommandLine parsed;
  parsed.options = std::move(options);
  return parsed;
}

std::string BatchUsage() {
  return "Usage: mirelda-batch [options] PROTEIN NAME\n"
         "       mirelda-batch [options] --out DIR PROTEIN...\n"
         "\n"
         "Analyses the protein coordinate file PROTEIN (PDB .pdb or .ent, mmCIF .cif or .mmcif, each also\n"
         "gzipped .gz) as the front-end does with the same choices: reads its first model, installs the\n"
         "environment (orvane), relaxes it when asked (relaxation), tessellates (brindel), reads the cells\n"
         "and faces, assigns the classes (attribution) when the points are CA, the environment is on and\n"
         "every residue is in the bulk, and composes resultat.wrl. The console programs and data files\n"
         "are taken from the folder of this program, which is the working folder; the results go to its\n"
         "subfolder NAME, which is replaced. Runs in one folder go one after another: a second run is\n"
         "refused while one is going.\n"
         "NAME: 4 letters or digits, the prefix of every result file.\n"
         "\n"
         "With --out, every PROTEIN gets the folder DIR/STEM, where STEM is its file name without\n"
         ".gz and .pdb, .ent, .cif or .mmcif (of any length; two files of one stem are refused), and the\n"
         "result files are named after STEM. Each protein runs in a private working folder of its own,\n"
         "so runs never share files and -j runs several side by side; one that fails never stops the\n"
         "others. DIR/summary.tsv has a row per protein: stem, residues, problems, not in the bulk,\n"
         "classes given, seconds, status (done, skipped, failed) and message. A complete result (its\n"
         "folder's .complete file, written last) is kept and its protein skipped unless --force.\n"
         "\n"
         "Options:\n"
         "  --point P          representative point: CA (default), CB, CG1 (side-chain centroid),\n"
         "                     CG2 (centroid of CA and side chain), CG3 (centroid of all atoms)\n"
         "  --radius R         radius of the environment spheres, 0 to 15 (default 6.5)\n"
         "  --thickness T      thickness of the environment, 0 to 10 (default 3.5)\n"
         "  --no-environment   no environment points (then no relaxation and no assignment)\n"
         "  --relaxations N    relaxations of the environment points, 0 to 15 (default 0: none)\n"
         "  --weights          tessellate with the residue weights of the amino-acid table (default:\n"
         "                     without, all weights 0, as the tessellation dialog proposes)\n"
         "  --modified         read modified amino acids (MSE, SEP, TPO, PTR, HYP, ...) as their parent\n"
         "                     type (default: left out and named in the problem report)\n"
         "  --renumber         keep residues with an insertion code (53A after 53) and number the\n"
         "                     chain on in order (default: left out and named in the problem report);\n"
         "                     the tables keep each residue's own number and insertion code\n"
         "  --bfactor V        the residue value in the B-factor column of NAME.bfactor.cif and\n"
         "                     NAME.bfactor.pdb: exposure (default, percent), volume (cubic\n"
         "                     angstroms) or class (a 1, b 2, c 3; 0 when not assigned)\n"
         "  --chain C          read only the chain C (default: every chain); an mmCIF chain name of\n"
         "                     several characters is the character it is read under (see the report)\n"
         "  --verbose          show what the console programs print (with --out: into the log of\n"
         "                     each protein's working folder, kept when it failed)\n"
         "  --out DIR          many proteins at once, each into DIR/STEM\n"
         "  -j N, --jobs N     with --out: N proteins side by side, 1 to 64 (default 1)\n"
         "  --quiet            with --out: print nothing but the failures\n"
         "  --force            with --out: run complete results again\n"
         "  --summary FILE     with --out: the summary into FILE instead of DIR/summary.tsv\n"
         "  --version          show the version\n"
         "  -h, --help         show this text\n"
         "\n"
         "Beside the system's result files it writes NAME.residues.tsv, NAME.contacts.tsv, NAME.json,\n"
         "NAME.bfactor.cif and NAME.bfactor.pdb (see the README's \"Result tables\").\n"
         "Prints the steps on standard error, and on standard output one line per residue (number,\n"
         "chain, code, volume, area, faces, indicator, exposure, class), the results folder and the\n"
         "classes.\n"
         "With --out, shows a progress bar on a terminal (a line per protein otherwise) and prints\n"
         "the counts and the summary's path.\n"
         "Exit status: 0 done (with --out: every protein done or skipped); 1 command line refused (with\n"
         "--out: also an output folder that cannot be made); 2 a step failed (the message says which;\n"
         "with --out: one protein or more failed, see summary.tsv).\n";
}

std::string BatchVersion() { return std::string("mirelda-batch ") + MIRELDA_VERSION + "\n"; }

}  // namespace mirelda::batch
