#pragma once

#include <stdexcept>
#include <string>

namespace kavio::msgfile {

// A failure of the ".msg" reader while loading: the data is no compound file, or a read of
// the container failed. The message names the record, the index and the numbers involved.
class TMsgError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kavio::msgfile
