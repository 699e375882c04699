#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace Vantor::Artwork
{

// The artwork command line:
//   artwork --output FOLDER --product-version TEXT [--preview FILE [--zoom N]]
// writes the editor's eight pictures into FOLDER (made when missing) and, on request, a
// mock-up of the whole editor for looking at. Answers 0 on success, 1 when a picture could
// not be drawn or written and 2 for a wrong command line, with one line on err.
int run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err);

} // namespace Vantor::Artwork
