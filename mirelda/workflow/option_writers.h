// The option files the front-end writes for the console programs, from the amino-acid table and the
// dialogs' choices: the tessellation options (protein name, cut-offs, one weight per residue type) and the
// relaxation options. The formats are brindel/exchange/option_files.h's.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace mirelda::workflow {

// option_bis.txt: "NOM_PROT:" + name, "DCUT:16", "RCUT:10", then ">" + letter + ":" + weight for the 21
// residue types in table order (the letter from the types by name, the weight from the types by letter,
// at the same position), or ":0" for every type when the tessellation is not weighted.
std::string TessellationOptionsText(std::string_view proteinName, bool weighted);
std::string WriteTessellationOptions(const std::filesystem::path& appFolder, std::string_view proteinName,
                                     bool weighted);

// option.txt: "NOM_PROT:" + name, "RLX:" + (relaxations - 1), "DCUT:16", "RCUT:10", then "EACH" for a
// coordinate file after each pass and "ERROR" to stop on residues that are not in the bulk.
std::string RelaxationOptionsText(std::string_view proteinName, int relaxations, bool eachFile,
                                  bool stopOnError);
std::string WriteRelaxationOptions(const std::filesystem::path& appFolder, std::string_view proteinName,
                                   int relaxations, bool eachFile, bool stopOnError);

}  // namespace mirelda::workflow
