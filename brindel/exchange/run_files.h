// What the console programs share around their files, with one policy for all four: the exit statuses,
// the marker files that signal a completed run, the results folder (created when missing), the refused
// protein name, and the opening, closing and reporting of every input and output. The computational cores
// never use this.
#pragma once

#include <fstream>
#include <memory>
#include <string>
#include <string_view>

namespace mirelda::exchange {

// Exit statuses of the console programs. A run that ends with anything but Success creates no marker.
enum ExitStatus : int {
  Success = 0,
  InputMissing = 1,     // an input file could not be opened: nothing could be computed
  InputUnusable = 1,    // an input was read but holds nothing that can be computed on
  OutputFailed = 2,     // an output file could not be opened or written completely
  CapacityExceeded = 3  // a design limit was reached ("IVMAX too small")
};

inline constexpr const char* TessellationMarker = "test_tessellation";
inline constexpr const char* RelaxationMarker = "test_relaxation";
inline constexpr const char* EnvironmentMarker = "test_environnement";
inline constexpr const char* AttributionMarker = "test_attribution";

// Creates an empty marker file (opened for writing and closed at once); false when that failed.
bool CreateMarker(const char* name);

// Creates the marker as the run's very last action; reports "cannot open <marker>" when that failed.
bool CreateRunMarker(const char* name);

// Path of a file of a protein's results folder: ResultPath("1abc", "C1abc") is "1abc/C1abc".
std::string ResultPath(std::string_view proteinName, std::string_view fileName);

// Creates the protein's results folder when it is missing; a folder that cannot be made shows up as
// outputs that cannot be opened.
void MakeResultsFolder(std::string_view proteinName);

// The line every program prints when its option file named a protein that could leave the working folder.
void ReportRefusedName(std::string_view keptName);

// An input of a run, opened in binary; "cannot open <name>" when it cannot be (the name as the program's
// messages spell it, the path by default).
class RunInput {
 public:
  explicit RunInput(const std::string& path, std::string_view messageName = {});
  bool IsOpen() const { return stream_.is_open(); }
  std::istream& Stream() { return stream_; }
  // A failed close prints stillOpenMessage and changes nothing else.
  void Close(std::string_view stillOpenMessage);

 private:
  std::ifstream stream_;
};

// An output of a run, opened in binary; "cannot open <name>" when it cannot be.
class RunOutput {
 public:
  explicit RunOutput(const std::string& path, std::string_view messageName = {});
  bool IsOpen() const { return file_.is_open(); }
  std::ostream& Stream() { return stream_; }
  const std::string& Path() const { return path_; }
  // False when the file could not be opened, written or closed completely; a failed write or close prints
  // stillOpenMessage when one is given.
  bool Close(std::string_view stillOpenMessage = {});

 private:
  // A file buffer that takes every piece that fits in its free space, so that the file is written in
  // blocks of the buffer's size: the standard one sends any piece of a kilobyte or more to the system at
  // once, a call per contact row or scene block.
  class BlockFileBuffer : public std::filebuf {
   protected:
    std::streamsize xsputn(const char* s, std::streamsize n) override;
  };
  struct BufferRelease {
    void operator()(char* buffer) const;
  };
  std::string path_;
  std::unique_ptr<char[], BufferRelease> buffer_;
  BlockFileBuffer file_;
  std::ostream stream_{&file_};
};

}  // namespace mirelda::exchange
