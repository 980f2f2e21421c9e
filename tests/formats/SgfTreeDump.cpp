#include "formats/SgfTreeDump.h"

#include "record/Text.h"

namespace stonewise::test {

namespace {

void appendPoint(std::string& out, const RecordNode& n) {
    out.push_back(static_cast<char>('a' + n.x));
    out.push_back(static_cast<char>('a' + n.y));
}

} // namespace

std::string treeDump(const RecordSequence& s) {
    std::string out;
    for (const RecordNode& n : s.nodes()) {
        if (!out.empty()) out += ", ";
        if (n.type != NodeType::Link) out.append(std::to_string(n.moveNumber));
        switch (n.type) {
        case NodeType::BlackMove: out.append("B "), appendPoint(out, n); break;
        case NodeType::WhiteMove: out.append("W "), appendPoint(out, n); break;
        case NodeType::Pass: out.append("P"); break;
        case NodeType::BlackSetup: out.append("AB "), appendPoint(out, n); break;
        case NodeType::WhiteSetup: out.append("AW "), appendPoint(out, n); break;
        case NodeType::Mark: {
            if (n.isNote()) {
                out.append("C ").append(toUtf8(s.commentOf(n)));
                break;
            }
            static const char* const kNames[] = {"LB", "CR", "SQ", "TR", "MA"};
            out.append(n.data1 <= kMarkCross ? kNames[n.data1] : "LB").append(" ");
            appendPoint(out, n);
            if (n.data1 == kMarkUpperLetter || n.data1 == kMarkLowerLetter)
                out.append(":").push_back(static_cast<char>(n.data2));
            else if (n.isLabel()) out.append(":").append(toUtf8(s.commentOf(n)));
            else if (n.data1 == 0) out.append(":");
            break;
        }
        case NodeType::Link: {
            const RecordSequence* c = s.child(n.childSlot);
            out.append("{");
            if (n.linkKind() == kReference) out.append("R");
            else out.append(std::to_string(n.moveNumber)).append(">");
            out.append(std::to_string(c ? c->firstMoveNumber() : 0));
            if (c && c->nodeCount() > 0) out.append(" ").append(treeDump(*c));
            out.append("}");
            break;
        }
        }
    }
    return out;
}

} // namespace stonewise::test
