#pragma once
// One pass over the text of one container, finding its direct members.
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace json {

struct ScannedMember {
  std::int32_t kind;
  std::string_view key;  // in an object; empty in an array
  std::int32_t index;    // in an array, counted from 0; -1 in an object
  std::size_t start;     // 0-based position in the scanned text
  std::size_t length;
};

class MemberSink {
 public:
  // False stops the pass.
  virtual bool Take(const ScannedMember& member) = 0;

 protected:
  ~MemberSink() = default;
};

// `source` begins with the container's opening bracket. Answers how many members were handed
// to `sink`, or -1 when the sink stopped the pass.
std::int32_t ScanContainer(std::string_view source, MemberSink& sink);

}  // namespace json
