#pragma once

#include "record/RecordNode.h"

class QBoxLayout;
class QButtonGroup;
class QWidget;

namespace stonewise {

// The four comment kinds of a variation's first move ("通常のコメント", "正解手順", "変化手順",
// "失敗手順") as a row of radio buttons in a box added to `layout`; the group's checked id is the
// AnswerKind.
QButtonGroup* addAnswerKindBox(QWidget* dialog, QBoxLayout* layout, AnswerKind initial);

} // namespace stonewise
