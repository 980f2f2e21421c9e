#include "book/TaggedElements.h"

namespace stonewise {

int readTaggedElements(TaggedRecordReader& r, int count, const TaggedElementVisitor& visit) {
    for (int n = 0; n < count; ++n) {
        TaggedHead e;
        if (!r.readHead(e) || e.mark() != kMarkElement) return n;
        if (visit.begin) visit.begin(n, e.count());
        for (int f = 0; f < e.count(); ++f) {
            TaggedField value;
            if (!r.readField(value)) return n;
            if (visit.field) visit.field(f, value);
        }
        if (visit.end) visit.end(n, e.count());
    }
    return count;
}

} // namespace stonewise
