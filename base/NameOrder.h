#pragma once
// The one order of names and paths in listings: without regard to letter case, with
// the bytes as tie-break, so the order is total and the same on every machine.
#include <string>
#include <vector>

namespace kov {

// The text compared when case is ignored: UTF-8 case-folded when the text is valid
// UTF-8, otherwise only ASCII letters lowered.
std::string FoldCase(const std::string& text);
// true when a sorts before b.
bool NameLess(const std::string& a, const std::string& b);
// Sorts names by NameLess, folding each name once rather than at every comparison:
// a folder of thousands of pictures is listed at every start.
void SortByName(std::vector<std::string>* names);
// true when a and b differ at most in letter case.
bool EqualsIgnoringCase(const std::string& a, const std::string& b);

}  // namespace kov
