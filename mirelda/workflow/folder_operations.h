// The file operations of the workflow's steps, each returning what failed as a sentence for the user
// (empty on success): a failing file operation stops the step that needs it.
#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace mirelda::workflow {

// Writes bytes as they are (the texts already carry their "\r\n" line ends), replacing an older file.
std::string WriteTextFile(const std::filesystem::path& path, std::string_view text);
// Copies a file over any older copy.
std::string CopyFileReplacing(const std::filesystem::path& from, const std::filesystem::path& to);
// Deletes a file when it exists.
std::string RemoveFileIfPresent(const std::filesystem::path& path);
// Reads a whole file; nullopt when it cannot be read.
std::optional<std::string> ReadTextFile(const std::filesystem::path& path);

// The lines of a text: each "\n", "\r\n" or lone "\r" ends one, and a last line without an end counts too.
int CountLines(std::string_view text);

}  // namespace mirelda::workflow
