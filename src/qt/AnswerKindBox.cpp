#include "qt/AnswerKindBox.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QGroupBox>
#include <QRadioButton>

#include "qt/QtText.h"

namespace stonewise {

QButtonGroup* addAnswerKindBox(QWidget* dialog, QBoxLayout* layout, AnswerKind initial) {
    auto* box = new QGroupBox(QStringLiteral("コメントの種類"), dialog);
    auto* row = new QHBoxLayout(box);
    auto* group = new QButtonGroup(dialog);
    const char16_t* names[] = {u"通常のコメント", u"正解手順", u"変化手順", u"失敗手順"};
    for (int k = 0; k < 4; ++k) {
        auto* b = new QRadioButton(qs(names[k]), box);
        group->addButton(b, k);
        row->addWidget(b);
    }
    group->button(static_cast<int>(initial))->setChecked(true);
    layout->addWidget(box);
    return group;
}

} // namespace stonewise
