#include "brindel/exchange/run_files.h"

#include <atomic>
#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#if defined(__linux__)
#include <sys/mman.h>
#endif

namespace mirelda::exchange {

bool CreateMarker(const char* name) {
  std::FILE* marker = std::fopen(name, "w");
  if (marker == nullptr) return false;
  return std::fclose(marker) == 0;
}

std::string ResultPath(std::string_view proteinName, std::string_view fileName) {
  std::string path(proteinName);
  path += '/';
  path += fileName;
  return path;
}

namespace {

void CannotOpen(std::string_view name) {
  std::fprintf(stderr, "cannot open %.*s\n", static_cast<int>(name.size()), name.data());
}

}  // namespace

bool CreateRunMarker(const char* name) {
  if (CreateMarker(name)) return true;
  CannotOpen(name);
  return false;
}

void MakeResultsFolder(std::string_view proteinName) {
  std::error_code ignored;
  const std::filesystem::path folder(proteinName);
  if (!std::filesystem::exists(folder, ignored)) std::filesystem::create_directory(folder, ignored);
}

void ReportRefusedName(std::string_view keptName) {
  std::fprintf(stderr, "NOM_PROT: unusable protein name, %.*s kept\n", static_cast<int>(keptName.size()),
               keptName.data());
}

RunInput::RunInput(const std::string& path, std::string_view messageName) : stream_(path, std::ios::binary) {
  if (!stream_.is_open()) CannotOpen(messageName.empty() ? std::string_view(path) : messageName);
}

void RunInput::Close(std::string_view stillOpenMessage) {
  stream_.clear();
  stream_.close();
  if (stream_.fail()) std::fwrite(stillOpenMessage.data(), 1, stillOpenMessage.size(), stderr);
}

std::streamsize RunOutput::BlockFileBuffer::xsputn(const char* s, std::streamsize n) {
  // The put area exists once something was written; until then, and for a piece that does not fit, the
  // standard way, which writes what is held and the piece in one call.
  if (n < epptr() - pptr()) {
    std::memcpy(pptr(), s, static_cast<std::size_t>(n));
    pbump(static_cast<int>(n));
    return n;
  }
  return std::filebuf::xsputn(s, n);
}

namespace {

// Result files run to tens of megabytes and are written in blocks of this size rather than the default few
// kilobytes: the system takes a block of a quarter megabyte at a fraction of the cost per byte of smaller
// ones.
constexpr std::size_t OutputBuffer = std::size_t{1} << 18;

// The output buffers of a process, carved from one block that the system may back with a single large
// page. Memory touched for the first time costs a fault per page, and on some virtual machines a fault
// costs as much as writing several pages to a file: a run that fills five buffers would pay hundreds.
class BufferPool {
 public:
  static BufferPool& Instance() {
    static BufferPool pool;
    return pool;
  }
  // A free buffer of the block, or nullptr when all are taken or there is no block.
  char* Take() {
    if (block_ == nullptr) return nullptr;
    for (unsigned taken = taken_.load(); taken != AllTaken;) {
      const int slot = std::countr_one(taken);
      if (taken_.compare_exchange_weak(taken, taken | (1u << slot))) return block_ + slot * OutputBuffer;
    }
    return nullptr;
  }
  // False for a buffer that is not the block's.
  bool Give(char* buffer) {
    // Compared as addresses: a buffer from elsewhere is no pointer into the block.
    const std::uintptr_t at = reinterpret_cast<std::uintptr_t>(buffer);
    const std::uintptr_t base = reinterpret_cast<std::uintptr_t>(block_);
    if (block_ == nullptr || at < base || at >= base + BlockSize) return false;
    taken_.fetch_and(~(1u << ((at - base) / OutputBuffer)));
    return true;
  }

 private:
  static constexpr std::size_t Slots = 8;
  static constexpr std::size_t BlockSize = Slots * OutputBuffer;  // the size of a large page
  static constexpr unsigned AllTaken = (1u << Slots) - 1;

  BufferPool() {
#if defined(__linux__)
    // Twice the size, to cut out a block aligned on its size, as a large page must be.
    void* mapped = mmap(nullptr, 2 * BlockSize, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (mapped == MAP_FAILED) return;
    char* const start = static_cast<char*>(mapped);
    const std::uintptr_t address = reinterpret_cast<std::uintptr_t>(start);
    char* const block = start + ((BlockSize - address % BlockSize) % BlockSize);
    if (block != start) munmap(start, static_cast<std::size_t>(block - start));
    munmap(block + BlockSize, static_cast<std::size_t>(start + 2 * BlockSize - (block + BlockSize)));
    // Only a wish: without large pages the block is ordinary memory.
    madvise(block, BlockSize, MADV_HUGEPAGE);
    block_ = block;
#endif
  }

  char* block_ = nullptr;
  std::atomic<unsigned> taken_{0};
};

char* TakeOutputBuffer() {
  if (char* buffer = BufferPool::Instance().Take(); buffer != nullptr) return buffer;
  // Left uninitialised, so that a small file touches only the pages it fills.
  return std::make_unique_for_overwrite<char[]>(OutputBuffer).release();
}

}  // namespace

void RunOutput::BufferRelease::operator()(char* buffer) const {
  if (!BufferPool::Instance().Give(buffer)) delete[] buffer;
}

RunOutput::RunOutput(const std::string& path, std::string_view messageName)
    : path_(path), buffer_(TakeOutputBuffer()) {
  // Set before opening, as the file buffer requires.
  file_.pubsetbuf(buffer_.get(), OutputBuffer);
  if (file_.open(path, std::ios::out | std::ios::binary) == nullptr) {
    CannotOpen(messageName.empty() ? std::string_view(path) : messageName);
  }
}

bool RunOutput::Close(std::string_view stillOpenMessage) {
  if (!file_.is_open()) return false;
  // A failed write shows on the stream, a failed flush of the last block on the buffer's close.
  const bool closed = file_.close() != nullptr;
  if (closed && !stream_.fail()) return true;
  if (!stillOpenMessage.empty()) std::fwrite(stillOpenMessage.data(), 1, stillOpenMessage.size(), stderr);
  return false;
}

}  // namespace mirelda::exchange
