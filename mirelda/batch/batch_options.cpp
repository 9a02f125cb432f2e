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
    if (argument == "-h" || argument == "--help") {
      ParsedCommandLine parsed;
      parsed.help = true;
      return parsed;
    }
    // "--key value" or "--key=value".
    std::string_view key = argument;
    std::optional<std::string_view> inlineValue;
    if (const auto equals = argument.find('='); equals != std::string_view::npos) {
      key = argument.substr(0, equals);
      inlineValue = argument.substr(equals + 1);
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
    } else {
      return Refused("unknown option " + std::string(argument));
    }
  }

  if (positional.size() != 2)
    return Refused("expected a protein file and a name, got " + std::to_string(positional.size()) +
                   (positional.size() == 1 ? " argument" : " arguments"));
  options.proteinFile = positional[0];
  options.proteinName = positional[1];
  if (!IsValidProteinName(options.proteinName))
    return Refused(std::string(kNameMessage) + ": \"" + options.proteinName +
                   "\" is not 4 letters or digits");
  // The relaxation moves environment points: the front-end offers it only after an environment step.
  if (options.relaxations > 0 && !options.withEnvironment)
    return Refused("relaxations need the environment: --relaxations and --no-environment exclude each other");

  ParsedCommandLine parsed;
  parsed.options = std::move(options);
  return parsed;
}

std::string BatchUsage() {
  return "Usage: mirelda-batch [options] PROTEIN NAME\n"
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
         "  --verbose          show what the console programs print\n"
         "  -h, --help         show this text\n"
         "\n"
         "Beside the system's result files it writes NAME.residues.tsv, NAME.contacts.tsv, NAME.json,\n"
         "NAME.bfactor.cif and NAME.bfactor.pdb (see the README's \"Result tables\").\n"
         "Prints the steps on standard error, and on standard output one line per residue (number,\n"
         "chain, code, volume, area, faces, indicator, exposure, class), the results folder and the\n"
         "classes.\n"
         "Exit status: 0 done; 1 command line refused; 2 a step failed (the message says which).\n";
}

}  // namespace mirelda::batch
