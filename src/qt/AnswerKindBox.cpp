#include "qt/AnswerKindBox.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

#include "qt/QtText.h"

namespace stonewise {

QButtonGroup* addAnswerKindBox(QWidget* dialog, QBoxLayout* layout, AnswerKind initial) {
    auto* box = new QGroupBox(uiString(21010), dialog);
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(dialog);
    const int names[] = {21011, 21012, 21013, 21014}; // normal, correct, variation, failure
    for (int k = 0; k < 4; ++k) {
        auto* b = new QRadioButton(uiString(names[k]), box);
        group->addButton(b, k);
        row->addWidget(b);
    }
    group->button(static_cast<int>(initial))->setChecked(true);
    layout->addWidget(box);
    return group;
}

} // namespace stonewise
