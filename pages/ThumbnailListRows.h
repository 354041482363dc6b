#pragma once
// The rows of a long thumbnail list, split in two: the first screens go into the table,
// the rest is held as text in the page and turned into rows by the page's own script
// only as the user scrolls near them. Building thousands of rows up front costs the
// first screen about a second and the engine 25 kB a thumbnail; held text costs neither.
#include <string>

namespace kov {

// Row pairs (pictures and captions) written into the table itself: two screens of
// them, at the height of a pair of full-height thumbnails.
int InlineRowPairs();

// Rows held back travel in blocks of this many row pairs.
constexpr int kHeldRowPairsPerBlock = 8;

class CListRows {
 public:
  explicit CListRows(int inlineRowPairs) : inlineRowPairs_(inlineRowPairs) {}

  // One row pair (both <tr> elements, as markup).
  void Add(const std::string& rowPair);

  // The markup inside the table.
  const std::string& TableRows() const { return table_; }
  // The markup after the table, once every row is added: empty when every row is in
  // the table; otherwise the spacer that keeps the page's full height, the held blocks
  // and the script that unfolds them.
  std::string HeldRows();

 private:
  void CloseBlock();

  int inlineRowPairs_;
  int rowPairs_ = 0;
  std::string table_;
  std::string held_;   // closed blocks
  std::string block_;  // the block being filled
  int blockRowPairs_ = 0;
};

}  // namespace kov
