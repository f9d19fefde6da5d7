#pragma once
// The panel's four sort orders. Each item gets a text key and keys are compared character by
// character, Latin letters without regard to case; names in the keys are lower-cased
// (Cyrillic included) and taken in Windows-1251, so the order is the one the program has
// always shown. Covered by tests/filepanel/SortKeyTest.cpp.

#include "filepanel/FileItem.h"

#include <string>
#include <vector>

namespace morvane::filepanel {

// The sort buttons: name, type (the default), date, size.
enum class SortMode { Name, Type, Date, Size };

// The key of `item` in `mode`:
//   name: ".." empty, directory "0" + name, file "1" + name;
//   type: as name, but a file "1" + extension (with its dot, empty for none) + name;
//   date: ".." a blank, otherwise "0"/"1" + "yyyy mm dd hh:mm" + name;
//   size: ".." empty, otherwise the size right-aligned in 12 characters + name.
std::string SortKey(const FileItem& item, SortMode mode);

// The extension of `name` from its last ".", lower-cased; empty when there is no dot.
std::string LowerExtension(const std::string& name1251);

// The order of `items` in `mode` as a permutation of their indices; equal keys keep their
// listing order.
std::vector<int> SortOrder(const std::vector<FileItem>& items, SortMode mode);

} // namespace morvane::filepanel
