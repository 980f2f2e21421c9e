#pragma once

#include <functional>

#include "store/TaggedRecordFile.h"

namespace stonewise {

// What a reader does with the elements of a tagged record file.
struct TaggedElementVisitor {
    // An element starts: its position and its field count (0 or less: an empty element).
    std::function<void(int element, int fields)> begin;
    // A field of the element started, with its position in the element.
    std::function<void(int field, const TaggedField& value)> field;
    // The element ended with all its fields read.
    std::function<void(int element, int fields)> end;
};

// Reads up to `count` elements from `r` (its header already read), handing each to `visit`.
// Reading stops at a mark other than an element's and at an element cut short (which does not
// end); returns the number of elements ended.
int readTaggedElements(TaggedRecordReader& r, int count, const TaggedElementVisitor& visit);

} // namespace stonewise
