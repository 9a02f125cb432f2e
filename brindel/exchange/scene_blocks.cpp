#include "brindel/exchange/scene_blocks.h"

#include "brindel/exchange/text_lines.h"

namespace mirelda::exchange {

std::string FormatBlockMarker(std::string_view marker, std::string_view code, std::string_view chain,
                              long long number) {
  std::string line(marker);
  line.append("-").append(code).append("=").append(chain).append("!").append(std::to_string(number));
  return line;
}

BlockKey ParseBlockMarker(std::string_view line, std::size_t at) {
  BlockKey key;
  const std::size_t bang = line.find('!');
  key.number = TrimBlanks(bang == std::string_view::npos ? std::string_view{} : line.substr(bang + 1));
  const std::size_t form = at + BlockStartMarker.size();  // "-L=K!"
  if (line.size() > form + 4 && line[form] == '-' && line[form + 2] == '=' && line[form + 4] == '!') {
    key.code = line[form + 1];
    key.chain = line[form + 3];
  }
  return key;
}

}  // namespace mirelda::exchange
