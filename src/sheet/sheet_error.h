// Every failure of the spreadsheet engine. what() is a complete Romanian message
// for the user and names the file when there is one.
#pragma once

#include <stdexcept>

namespace sheet {

class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace sheet
