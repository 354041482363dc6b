#pragma once
// The rows of a long thumbnail list, split in two: the first screens go into the table
// of the list page, the rest follows in a script of its own that the page asks for
// once it has been drawn (or at the first scroll), and is turned into rows by the page
// only as the user scrolls near them. Building thousands of rows up front costs the first screen about a second
// and the engine 25 kB a thumbnail; held text costs neither. Sent with the page, the
// held text of 5000 thumbnails (1.4 MB) still cost its first drawing about 45 ms of
// processor time, in the transfer and the parse.
#include <string>

namespace kov {

// Row pairs (pictures and captions) written into the table itself: two screens of
// them, at the height of a pair of full-height thumbnails.
int InlineRowPairs();

// Rows held back travel in blocks of this many row pairs.
constexpr int kHeldRowPairsPerBlock = 8;

// What follows the table of a list that holds rowPairs row pairs back: the spacer that
// keeps the page's full height and the script that asks for them at rowsUrl and
// unfolds them. rowsUrl must need no escaping in a script's string (a kovp URL, whose
// path is percent-encoded). Empty when no row is held back.
std::string HeldRowsPlaceholder(int rowPairs, const std::string& rowsUrl);

// The script that answers rowsUrl: every held row pair, in blocks, handed to the page.
class CHeldRowBlocks {
 public:
  // One row pair (both <tr> elements, as markup).
  void Add(const std::string& rowPair);
  // The script, once every row pair is added.
  std::string Script();

 private:
  void CloseBlock();

  std::string blocks_;  // closed blocks, as array elements
  std::string block_;   // the block being filled
  int blockRowPairs_ = 0;
};

}  // namespace kov
